#pragma once
// The scales of the response plot: where a frequency or a value lands in a panel, and
// which round values get a grid line. Qt-free apart from the rectangle.

#include <QRectF>

#include <string>
#include <vector>

struct LogAxis {
    double lowHz, highHz;
    double X(const QRectF& panel, double hz) const;
};

struct LinearAxis {
    double low, high;
    double Y(const QRectF& panel, double value) const;
};

// A range around [low, high] ending on round values, at least minimumSpan wide.
LinearAxis RoundedAxis(double low, double high, double minimumSpan);

// Round values inside the axis for grid lines (about five of them).
std::vector<double> GridValues(const LinearAxis& axis);

// 10, 20, 50, 100, ... up to highHz, and the decades among them for labels.
std::vector<double> FrequencyGrid(const LogAxis& axis);
bool IsDecade(double hz);

// "10", "100", "1k", "10k": a frequency as the axis labels it.
std::string FrequencyLabel(double hz);
