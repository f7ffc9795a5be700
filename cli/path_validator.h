#pragma once
// Options that name a file to write: an empty name is refused rather than taken for
// no file at all, which would pass a typo such as --plot "$UNSET" for success.

#include <CLI/CLI.hpp>

CLI::Validator NonEmptyPath();
