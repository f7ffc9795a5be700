#include "designs/rumble_filter.h"

#include <cmath>

#include "base/number_text.h"

double HighestRumbleCornerHz(double samplingFrequency) { return samplingFrequency / 20.0; }

int RumbleSectionCount(int order) { return (order + 1) / 2; }

std::optional<std::string> RumbleFilterProblem(double cornerHz, int order,
                                               double samplingFrequency) {
    if (order < 1 || order > kMaxRumbleOrder) {
        return "--rumble-order: " + std::to_string(order) + " is not an order from 1 to " +
               std::to_string(kMaxRumbleOrder);
    }
    if (!std::isfinite(samplingFrequency) || !(samplingFrequency > 0.0)) {
        return "--rumble needs a finite, positive sampling rate; got " +
               FormatShortest(samplingFrequency);
    }
    const double highest = HighestRumbleCornerHz(samplingFrequency);
    if (!std::isfinite(cornerHz) || !(cornerHz >= kLowestRumbleCornerHz) ||
        !(cornerHz <= highest)) {
        return "--rumble: a corner of " + FormatShortest(cornerHz) + " Hz at a sampling rate of " +
               FormatShortest(samplingFrequency) + " Hz; give one from " +
               FormatShortest(kLowestRumbleCornerHz) + " Hz to " + FormatSignificant(highest, 6) +
               " Hz (a tenth of fs/2), such as 20";
    }
    return std::nullopt;
}
