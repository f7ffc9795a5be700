#include "plot_axes.h"

#include <algorithm>
#include <cmath>

#include "base/number_text.h"

double LogAxis::X(const QRectF& panel, double hz) const {
    const double t = std::log(hz / lowHz) / std::log(highHz / lowHz);
    return panel.left() + t * panel.width();
}

double LinearAxis::Y(const QRectF& panel, double value) const {
    const double t = (value - low) / (high - low);
    return panel.bottom() - t * panel.height();
}

namespace {

// 1, 2 or 5 times a power of ten, the smallest at least `rough`.
double RoundStep(double rough) {
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * decade >= rough) {
            return factor * decade;
        }
    }
    return 10.0 * decade;
}

}  // namespace

LinearAxis RoundedAxis(double low, double high, double minimumSpan) {
    if (!std::isfinite(low) || !std::isfinite(high)) {
        return {-minimumSpan / 2.0, minimumSpan / 2.0};
    }
    const double middle = (low + high) / 2.0;
    const double span = std::max(high - low, minimumSpan);
    const double step = RoundStep(span / 5.0);
    return {std::floor((middle - span / 2.0) / step) * step,
            std::ceil((middle + span / 2.0) / step) * step};
}

std::vector<double> GridValues(const LinearAxis& axis) {
    const double step = RoundStep((axis.high - axis.low) / 5.0);
    std::vector<double> values;
    for (double v = std::ceil(axis.low / step) * step; v <= axis.high + step * 1e-9; v += step) {
        values.push_back(std::abs(v) < step * 1e-9 ? 0.0 : v);
    }
    return values;
}

std::vector<double> FrequencyGrid(const LogAxis& axis) {
    std::vector<double> grid;
    for (double decade = 10.0; decade <= axis.highHz; decade *= 10.0) {
        for (double factor : {1.0, 2.0, 5.0}) {
            const double hz = factor * decade;
            if (hz >= axis.lowHz && hz <= axis.highHz) {
                grid.push_back(hz);
            }
        }
    }
    return grid;
}

bool IsDecade(double hz) {
    const double exponent = std::log10(hz);
    return std::abs(exponent - std::round(exponent)) < 1e-9;
}

std::string FrequencyLabel(double hz) {
    return hz >= 1000.0 ? FormatSignificant(hz / 1000.0, 3) + "k" : FormatSignificant(hz, 3);
}
