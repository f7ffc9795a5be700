#include "writers/svg_scale.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxTicks = 8;

}  // namespace

double LogAxis::ToX(double hz) const {
    return left + (right - left) * std::log10(hz / low) / std::log10(high / low);
}

double NiceStep(double span, int maxSteps) {
    const double rough = span / maxSteps;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double multiple : {1.0, 2.0, 5.0, 10.0}) {
        if (multiple * power >= rough) {
            return multiple * power;
        }
    }
    return 10.0 * power;
}

LinearAxis LinearAxis::Spanning(const std::vector<double>& values, const Rect& panel,
                                double minimumSpan) {
    double low = INFINITY;
    double high = -INFINITY;
    for (double v : values) {
        if (std::isfinite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    if (!(low <= high)) {
        low = high = 0.0;
    }
    if (high - low < minimumSpan) {
        const double middle = (low + high) / 2.0;
        low = middle - minimumSpan / 2.0;
        high = middle + minimumSpan / 2.0;
    }
    const double step = NiceStep(high - low, kMaxTicks);
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step, panel};
}

LinearAxis LinearAxis::Symmetric(const std::vector<double>& values, const Rect& panel,
                                 double minimumHalfSpan) {
    double largest = minimumHalfSpan;
    for (double v : values) {
        if (std::isfinite(v)) {
            largest = std::max(largest, std::abs(v));
        }
    }
    const double step = NiceStep(2.0 * largest, kMaxTicks);
    const double half = std::ceil(largest / step) * step;
    return {-half, half, step, panel};
}

LinearAxis::LinearAxis(double low, double high, double step, const Rect& panel)
    : low_(low), high_(high), step_(step), top_(panel.top), bottom_(panel.bottom) {}

double LinearAxis::ToY(double level) const {
    return bottom_ - (bottom_ - top_) * (level - low_) / (high_ - low_);
}

std::vector<double> LinearAxis::Ticks() const {
    std::vector<double> ticks;
    const auto count = static_cast<long>(std::lround((high_ - low_) / step_));
    for (long i = 0; i <= count; ++i) {
        // Multiples of the step, so that 0 is exactly 0 and labels print cleanly.
        ticks.push_back(std::round(low_ / step_ + static_cast<double>(i)) * step_);
    }
    return ticks;
}
