#pragma once
// Mapping of frequencies and levels onto an SVG panel, with tick steps a reader
// can follow (1, 2 or 5 times a power of ten).

#include <vector>

struct Rect {
    double left;
    double top;
    double right;
    double bottom;
};

// Frequencies from low to high on a logarithmic axis between two x coordinates.
struct LogAxis {
    double low;
    double high;
    double left;
    double right;

    double ToX(double hz) const;
};

// Levels on a linear axis over a panel's height, higher values further up.
class LinearAxis {
public:
    // Spans the finite values, widened to whole multiples of a nice step and at
    // least `minimumSpan` tall.
    static LinearAxis Spanning(const std::vector<double>& values, const Rect& panel,
                               double minimumSpan);
    // Symmetric about zero, at least ±minimumHalfSpan.
    static LinearAxis Symmetric(const std::vector<double>& values, const Rect& panel,
                                double minimumHalfSpan);

    double ToY(double level) const;
    std::vector<double> Ticks() const;

private:
    LinearAxis(double low, double high, double step, const Rect& panel);

    double low_;
    double high_;
    double step_;
    double top_;
    double bottom_;
};

// The smallest of 1, 2 or 5 times a power of ten that cuts `span` into at most
// `maxSteps` steps.
double NiceStep(double span, int maxSteps);
