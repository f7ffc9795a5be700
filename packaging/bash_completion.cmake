# Writes the bash completion of vorlexi-calc from the program's own --help, so that
# every option, value list and subcommand the program has is completed and none that it
# has lost.
#   cmake -DPROGRAM=path/to/vorlexi-calc -DOUTPUT=file -P bash_completion.cmake
#
# It reads the help that CLI11 prints: option lines "  -s,--sample-freq FREQ=96k", the
# type after one space, a value list as "TYPE:{a,b,c}" or, for a long one, as "{a, b,"
# wrapped over the first lines of the description, an optional value as "[FREQ]", a file
# as "FILE" or "FILE.svg"; the description starts in one column for every option.
# Subcommands are listed under "Subcommands:" and each has a --help of its own; a scope
# with "Positionals:" completes file names.

cmake_minimum_required(VERSION 3.25)

if(NOT PROGRAM OR NOT OUTPUT)
  message(FATAL_ERROR "usage: cmake -DPROGRAM=vorlexi-calc -DOUTPUT=file -P bash_completion.cmake")
endif()

function(read_help out_var)
  execute_process(COMMAND ${PROGRAM} ${ARGN} --help
    OUTPUT_VARIABLE help RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${ARGN} --help failed (${status}): ${errors}")
  endif()
  # One list entry a line. Brackets and backslashes would change how CMake splits the
  # list; an optional value "[FREQ]" is read as "<FREQ>".
  string(REPLACE "[" "<" help "${help}")
  string(REPLACE "]" ">" help "${help}")
  string(REGEX REPLACE "[;\\]" " " help "${help}")
  string(REPLACE "\n" ";" help "${help}")
  set(${out_var} "${help}" PARENT_SCOPE)
endfunction()

# Fills <scope>_options, <scope>_value_cases, <scope>_subcommands, <scope>_positionals.
function(parse_help scope)
  read_help(lines ${ARGN})
  # The description column: where continuation lines start, and where the description of
  # an option with room to spare starts after its gap of two or more spaces.
  set(description_column 0)
  foreach(line IN LISTS lines)
    if(line MATCHES "^(        +)[^ ]" OR line MATCHES "^(  -[^ ]+( [^ ]+)*  +)[^ ]")
      string(LENGTH "${CMAKE_MATCH_1}" indent)
      if(description_column EQUAL 0 OR indent LESS description_column)
        set(description_column ${indent})
      endif()
    endif()
  endforeach()

  # Each option's value list from its description, "-" for none, in the order of the
  # option lines: an option line and the lines indented below it are one text.
  set(listed_values)
  set(text "")
  foreach(line IN LISTS lines ITEMS "")
    if(NOT text STREQUAL "" AND line MATCHES "^        +[^ ]")
      string(APPEND text " ${line}")
      continue()
    endif()
    if(NOT text STREQUAL "")
      if(text MATCHES "^  -[^ ]*( [^ {]+)?  +{([^}]*)}")
        string(REGEX REPLACE "[ ,]+" " " values "${CMAKE_MATCH_2}")
        list(APPEND listed_values "${values}")
      else()
        list(APPEND listed_values "-")
      endif()
    endif()
    set(text "")
    if(line MATCHES "^  -[^ ]")
      set(text "${line}")
    endif()
  endforeach()

  set(options)
  set(cases)
  set(subcommands)
  set(positionals FALSE)
  set(section "")
  set(option_index -1)
  foreach(line IN LISTS lines)
    if(line STREQUAL "")
      set(section "")  # the footer's example lines are no subcommands
      continue()
    endif()
    if(line MATCHES "^([A-Za-z]+):$")
      string(TOLOWER "${CMAKE_MATCH_1}" section)
      if(section STREQUAL "positionals")
        set(positionals TRUE)
      endif()
      continue()
    endif()
    if(section STREQUAL "subcommands" AND line MATCHES "^  ([a-z][a-z0-9-]*)( |$)")
      list(APPEND subcommands ${CMAKE_MATCH_1})
      continue()
    endif()
    if(NOT line MATCHES "^  (-[^ ].*)$")
      continue()
    endif()
    set(head "${CMAKE_MATCH_1}")
    math(EXPR option_index "${option_index} + 1")
    list(GET listed_values ${option_index} description_values)
    string(FIND "${head}" "  " gap)
    if(gap GREATER -1)
      string(SUBSTRING "${head}" 0 ${gap} head)
    endif()
    string(FIND "${head}" " " space)
    set(names "${head}")
    set(type "")
    if(space GREATER -1)
      string(SUBSTRING "${head}" 0 ${space} names)
      math(EXPR type_start "${space} + 1")
      math(EXPR type_column "${type_start} + 2")
      # Exactly one space before the description column: a flag whose names fill it.
      if(NOT type_column EQUAL description_column)
        string(SUBSTRING "${head}" ${type_start} -1 type)
      endif()
    endif()
    string(REPLACE "," ";" names "${names}")
    list(APPEND options ${names})
    string(REPLACE ";" "|${scope}:" pattern "${names}")
    set(pattern "${scope}:${pattern}")

    if(type STREQUAL "" OR type MATCHES "^<")
      # A flag, or an optional value after which an option or a word may follow as well.
      continue()
    elseif(type MATCHES ":{([^}]*)}" OR NOT description_values STREQUAL "-")
      if(type MATCHES ":{([^}]*)}")
        string(REPLACE "," " " values "${CMAKE_MATCH_1}")
      else()
        set(values "${description_values}")
      endif()
      string(APPEND cases
        "        ${pattern})\n"
        "            COMPREPLY=(\$(compgen -W '${values}' -- \"\$cur\"))\n"
        "            return ;;\n")
    elseif(type MATCHES "FILE\\.([A-Za-z0-9]+)")
      string(APPEND cases "        ${pattern})\n            _filedir ${CMAKE_MATCH_1}\n            return ;;\n")
    elseif(type MATCHES "FILE|PATH|DIR")
      string(APPEND cases "        ${pattern})\n            _filedir\n            return ;;\n")
    else()
      # A value of its own (a number, a name): nothing to offer.
      string(APPEND cases "        ${pattern})\n            return ;;\n")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES options)
  list(JOIN options " " options)
  set(${scope}_options "${options}" PARENT_SCOPE)
  set(${scope}_value_cases "${cases}" PARENT_SCOPE)
  set(${scope}_subcommands "${subcommands}" PARENT_SCOPE)
  set(${scope}_positionals ${positionals} PARENT_SCOPE)
endfunction()

parse_help(main)
set(scope_cases "")
set(value_cases "${main_value_cases}")
set(option_cases "        main) COMPREPLY=(\$(compgen -W '${main_options}' -- \"\$cur\")) ;;\n")
set(word_cases "")
if(main_subcommands)
  list(JOIN main_subcommands " " subcommand_words)
  set(word_cases "        main) COMPREPLY=(\$(compgen -W '${subcommand_words}' -- \"\$cur\")) ;;\n")
elseif(main_positionals)
  set(word_cases "        main) _filedir ;;\n")
endif()
foreach(subcommand IN LISTS main_subcommands)
  string(MAKE_C_IDENTIFIER "${subcommand}" scope)
  parse_help(${scope} ${subcommand})
  string(APPEND scope_cases "            ${subcommand}) scope=${scope} ;;\n")
  string(APPEND value_cases "${${scope}_value_cases}")
  string(APPEND option_cases
    "        ${scope}) COMPREPLY=(\$(compgen -W '${${scope}_options}' -- \"\$cur\")) ;;\n")
  if(${scope}_positionals)
    string(APPEND word_cases "        ${scope}) _filedir ;;\n")
  endif()
endforeach()

set(template [=[
# bash completion for vorlexi-calc, written at build time from vorlexi-calc --help.
_vorlexi_calc()
{
    local cur prev words cword split
    _init_completion -s || return

    local scope=main word
    for word in "${words[@]:1:cword-1}"; do
        case $word in
@scope_cases@        esac
    done

    case $scope:$prev in
@value_cases@    esac
    $split && return

    if [[ $cur == -* ]]; then
        case $scope in
@option_cases@        esac
        return
    fi
    case $scope in
@word_cases@    esac
}
complete -F _vorlexi_calc vorlexi-calc
]=])
string(CONFIGURE "${template}" script @ONLY)
file(WRITE "${OUTPUT}" "${script}")
