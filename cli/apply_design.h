#pragma once
// The one place where apply asks for a design: for the sampling rate of the input at
// hand, from the tool's design options, exactly as the print command would make it
// with --sample-freq set to that rate.

#include <optional>
#include <string>

#include "apply_options.h"
#include "file_equaliser.h"

// The error line for a design option that holds no usable value, or nothing.
std::optional<std::string> DesignOptionsProblem(const ApplyDesignOptions& options);

DesignForRate MakeDesignForRate(const ApplyDesignOptions& options);
