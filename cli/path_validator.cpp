#include "path_validator.h"

#include <string>

CLI::Validator NonEmptyPath() {
    return CLI::Validator(
        [](const std::string& path) {
            return path.empty() ? std::string("an empty path names no file") : std::string();
        },
        "", "NONEMPTY");
}
