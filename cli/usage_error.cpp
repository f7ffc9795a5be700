#include "usage_error.h"

#include <iostream>

#include "calc_command.h"

int ReportParseResult(const CLI::App& app, const CLI::ParseError& error) {
    if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
        return app.exit(error);
    }
    std::cerr << "vorlexi-calc: " << error.what() << "\n\n" << app.help();
    return kExitBadInput;
}
