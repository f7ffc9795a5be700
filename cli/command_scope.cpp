#include "command_scope.h"

std::optional<std::string> OptionBeforeCommand(const CLI::App& app, const std::string& command) {
    for (const CLI::Option* option : app.get_options()) {
        if (option->count() > 0) {
            return option->get_name() + " belongs to the print command; " + command +
                   " takes its own options after the word " + command;
        }
    }
    return std::nullopt;
}
