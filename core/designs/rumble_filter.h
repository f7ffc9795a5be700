#pragma once
// The rumble filter: a Butterworth high-pass of order 1 to 4 that runs after a design's
// own sections, to keep rumble, a DC offset and a warped record's swell out of the
// output. It is a high-pass in either direction (a recording design is not given its
// reciprocal), unity in its passband, and measured against its analogue prototype.

#include <optional>
#include <string>


inline constexpr int kMaxRumbleOrder = 4;
inline constexpr int kMaxRumbleSections = (kMaxRumbleOrder + 1) / 2;

// The corner's range. Below 1 Hz the poles sit so close to z = 1 that rounding decides
// the response; above a tenth of fs/2 the high-pass would bite into the band the curve
// shapes.
inline constexpr double kLowestRumbleCornerHz = 1.0;
double HighestRumbleCornerHz(double samplingFrequency);

// A first-order section for an odd order, then one section for each pole pair.
int RumbleSectionCount(int order);

// The line that says why this corner and order make no rumble filter at this rate and
// what would, or nothing when they do.
std::optional<std::string> RumbleFilterProblem(double cornerHz, int order,
                                               double samplingFrequency);
