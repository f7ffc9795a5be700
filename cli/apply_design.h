#pragma once
// The one place where apply asks for a design: for the sampling rate of the input at
// hand, from the tool's design options, exactly as the print command would make it
// with --sample-freq set to that rate.

#include <optional>
#include <string>

#include "apply_options.h"
#include "file_equaliser.h"

// apply's design unless the options say otherwise: the minimax cascade of the fewest
// sections within this many dB of the curve (or of four sections, the closest, where
// none is), with its gain at 1 kHz. --method=matched gives the desktop program's design,
// its gain at DC.
inline constexpr double kApplyToleranceDb = 0.001;

// The design options read, with apply's defaults.
Result<DesignChoice> ReadApplyDesignChoice(const ApplyDesignOptions& options);

// The error line for a design option that holds no usable value, or nothing.
std::optional<std::string> DesignOptionsProblem(const ApplyDesignOptions& options);

DesignForRate MakeDesignForRate(const ApplyDesignOptions& options);
