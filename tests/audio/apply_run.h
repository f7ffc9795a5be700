#pragma once
// vorlexi-calc run as a user runs it, for the tests of apply.

#include <string>
#include <vector>

#include "run_process.h"

// vorlexi-calc apply with the arguments.
ProcessResult Apply(std::vector<std::string> arguments);

// The SoX effects that the print command exports for the design options at the rate,
// without the line break. Throws std::runtime_error with the tool's message on failure.
std::string ExportedSoxEffects(int rate, const std::vector<std::string>& design);
