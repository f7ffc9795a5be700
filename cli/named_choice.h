#pragma once
// Options whose value is one of a few names, stored as an enum: the parser turns the name
// into the enum once, and the program compares enums, never option text.

#include <CLI/CLI.hpp>
#include <string>
#include <utility>
#include <vector>

template <typename Enum>
using NameTable = std::vector<std::pair<std::string, Enum>>;

template <typename Enum>
const std::string& NameOf(const NameTable<Enum>& names, Enum value) {
    for (const auto& [name, named] : names) {
        if (named == value) {
            return name;
        }
    }
    return names.front().first;
}

// "{a, b, c,\n d}": names in braces for an option's help, broken into lines of at most
// `width` characters (a long list in the option's head would run past the terminal).
inline std::string WrappedChoices(const std::vector<std::string>& names, std::size_t width) {
    std::string text = "{";
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string item = names[i] + (i + 1 == names.size() ? "}" : ",");
        if (i > 0 && text.size() - lineStart + 1 + item.size() > width) {
            text += '\n';
            lineStart = text.size();
        } else if (i > 0) {
            text += ' ';
        }
        text += item;
    }
    return text;
}

template <typename Enum>
std::vector<std::string> NamesOf(const NameTable<Enum>& names) {
    std::vector<std::string> list;
    for (const auto& [name, value] : names) {
        list.push_back(name);
    }
    return list;
}

// A CLI11 transform from a name of the table to the enum's number, which CLI11 then
// stores in the enum. The help shows "{a,b,c}" after the option's type; any other text
// is refused with "--option: TEXT not in {a,b,c}".
template <typename Enum>
CLI::Validator OneOf(const NameTable<Enum>& names) {
    std::string set = "{";
    for (const auto& [name, value] : names) {
        set += (set.size() > 1 ? "," : "") + name;
    }
    set += '}';
    return CLI::Validator(
        [names, set](std::string& text) -> std::string {
            for (const auto& [name, value] : names) {
                if (text == name) {
                    text = std::to_string(static_cast<int>(value));
                    return {};
                }
            }
            return (text.empty() ? "\"\"" : text) + " not in " + set;
        },
        set);
}
