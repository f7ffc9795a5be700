#include "command_line.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const CLI::Option* FindLong(const CLI::App& app, const std::string& name) {
    for (const CLI::Option* option : app.get_options()) {
        if (option->check_lname(name)) {
            return option;
        }
    }
    return nullptr;
}

const CLI::Option* FindShort(const CLI::App& app, char name) {
    for (const CLI::Option* option : app.get_options()) {
        if (option->check_sname(std::string(1, name))) {
            return option;
        }
    }
    return nullptr;
}

bool TakesValue(const CLI::Option* option) {
    return option != nullptr && option->get_items_expected_max() > 0;
}

bool NeedsValue(const CLI::Option* option) {
    return option != nullptr && option->get_items_expected_min() > 0;
}

// "--name" or "-" and a letter; "-3m", "-.5" and "-" are values, as CLI11 reads them.
bool IsOption(const std::string& argument) {
    if (argument.size() < 2 || argument[0] != '-') {
        return false;
    }
    const char second = argument[1];
    return !((second >= '0' && second <= '9') || second == '.');
}

// The name as typed of the option in a short argument ("-g", or the last of "-ig") that
// needs the next argument as its value; empty when none does.
std::string ShortNeedingNext(const CLI::App& app, const std::string& argument) {
    for (std::size_t k = 1; k < argument.size(); ++k) {
        const CLI::Option* option = FindShort(app, argument[k]);
        if (!TakesValue(option)) {
            if (option == nullptr) {
                return {};  // CLI11 reports the unknown option
            }
            continue;  // a flag; the next letter is another option
        }
        // A value written right after the letter ("-g2") needs nothing more.
        const bool lastLetter = k + 1 == argument.size();
        return lastLetter && NeedsValue(option) ? std::string{'-', argument[k]} : std::string{};
    }
    return {};
}

}  // namespace

void ParseCommandLine(CLI::App& app, int argc, const char* const* argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--") {
            arguments.insert(arguments.end(), argv + i, argv + argc);
            break;
        }
        std::string needingNext;  // the option, as typed, that takes the next argument
        if (argument.rfind("--", 0) == 0) {
            const std::size_t equals = argument.find('=');
            const std::string name = argument.substr(2, equals - 2);
            const CLI::Option* option = FindLong(app, name);
            if (equals + 1 == argument.size() && TakesValue(option)) {
                // Given on its own, the empty value is one CLI11 keeps.
                arguments.push_back("--" + name);
                arguments.emplace_back();
                continue;
            }
            if (equals == std::string::npos && NeedsValue(option)) {
                needingNext = argument;
            }
        } else if (IsOption(argument)) {
            needingNext = ShortNeedingNext(app, argument);
        }
        if (!needingNext.empty() && i + 1 < argc && IsOption(argv[i + 1])) {
            throw CLI::ArgumentMismatch(needingNext + " needs a value, not the option " +
                                        argv[i + 1]);
        }
        arguments.push_back(argument);
    }
    // CLI11 takes the arguments last first.
    std::reverse(arguments.begin(), arguments.end());
    app.parse(std::move(arguments));
}
