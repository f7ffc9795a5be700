#include "usage_error.h"

#include <iostream>

#include "exit_status.h"

int ReportParseResult(const CLI::App& app, const CLI::ParseError& error) {
    if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
        return app.exit(error);
    }
    const std::string& name = app.get_name();
    std::cerr << name << ": " << error.what() << "\n"
              << "Usage: " << name << " [OPTIONS]\n"
              << "Run " << name << " --help for the options.\n";
    return kExitBadInput;
}
