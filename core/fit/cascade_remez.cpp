#include "fit/cascade_remez.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kMaxExchanges = 30;
constexpr int kMaxNewtonSteps = 12;
// Settled when the largest error on the grid is within this share of E.
constexpr double kLevelTolerance = 1e-6;
// An out-of-band bound counts as kept up to this share of E.
constexpr double kBoundSlack = 1e-6;

using Matrix = std::vector<std::vector<double>>;

// Solves a·x = b in place by Gaussian elimination with partial pivoting; false when
// the matrix is singular to working precision.
bool Solve(Matrix& a, std::vector<double>& b) {
    const std::size_t n = b.size();
    for (std::size_t column = 0; column < n; ++column) {
        std::size_t pivot = column;
        for (std::size_t row = column + 1; row < n; ++row) {
            if (std::abs(a[row][column]) > std::abs(a[pivot][column])) pivot = row;
        }
        if (!(std::abs(a[pivot][column]) > 0.0)) return false;
        std::swap(a[pivot], a[column]);
        std::swap(b[pivot], b[column]);
        for (std::size_t row = column + 1; row < n; ++row) {
            const double factor = a[row][column] / a[column][column];
            if (factor == 0.0) continue;
            for (std::size_t k = column; k < n; ++k) a[row][k] -= factor * a[column][k];
            b[row] -= factor * b[column];
        }
    }
    for (std::size_t row = n; row-- > 0;) {
        double sum = b[row];
        for (std::size_t k = row + 1; k < n; ++k) sum -= a[row][k] * b[k];
        b[row] = sum / a[row][row];
    }
    return std::all_of(b.begin(), b.end(), [](double v) { return std::isfinite(v); });
}

// The error e = log(P/(T·Q)) at every band point of the grid.
std::vector<double> Errors(const CascadeFitGrid& grid, const RationalFit2N& fit) {
    std::vector<double> e;
    for (std::size_t i = 0; i < grid.abscissae.size(); ++i) {
        e.push_back(std::log(fit.At(grid.abscissae[i]) / grid.targets[i]));
    }
    return e;
}

// K alternating extremes of e·sign(y - y_ref): the largest point of each run of one
// sign, then thinned to K by dropping the smallest (with a neighbour, so that the
// signs keep alternating, or alone at an end). Empty when there are fewer than K.
std::vector<std::size_t> AlternatingExtremes(const CascadeFitGrid& grid,
                                             const std::vector<double>& e, std::size_t count) {
    std::vector<std::size_t> extremes;
    const auto flipped = [&](std::size_t i) {
        return grid.abscissae[i] < grid.referenceAbscissa ? -e[i] : e[i];
    };
    for (std::size_t i = 0; i < e.size(); ++i) {
        const double value = flipped(i);
        if (value == 0.0) continue;
        if (!extremes.empty() && (flipped(extremes.back()) > 0.0) == (value > 0.0)) {
            if (std::abs(value) > std::abs(flipped(extremes.back()))) extremes.back() = i;
        } else {
            extremes.push_back(i);
        }
    }
    while (extremes.size() > count) {
        const auto magnitude = [&](std::size_t k) { return std::abs(e[extremes[k]]); };
        if (extremes.size() == count + 1) {
            extremes.erase(magnitude(0) < magnitude(extremes.size() - 1) ? extremes.begin()
                                                                         : extremes.end() - 1);
            continue;
        }
        std::size_t smallest = 0;
        for (std::size_t k = 1; k < extremes.size(); ++k) {
            if (magnitude(k) < magnitude(smallest)) smallest = k;
        }
        if (smallest == 0 || smallest + 1 == extremes.size()) {
            extremes.erase(extremes.begin() + static_cast<std::ptrdiff_t>(smallest));
            continue;
        }
        const std::size_t neighbour =
            magnitude(smallest - 1) < magnitude(smallest + 1) ? smallest - 1 : smallest + 1;
        extremes.erase(extremes.begin() +
                       static_cast<std::ptrdiff_t>(std::max(smallest, neighbour)));
        extremes.erase(extremes.begin() +
                       static_cast<std::ptrdiff_t>(std::min(smallest, neighbour)));
    }
    if (extremes.size() < count) extremes.clear();
    return extremes;
}

// Newton's method on log P(y_i) - log Q(y_i) - log T_i = σ_i·E at the extremes and
// P = Q = 1 at the reference. Unknowns: P's free coefficients, Q's, E; each column
// scaled to its largest entry so that the solve sees numbers of one size.
bool SolveLevel(const CascadeFitGrid& grid, const std::vector<std::size_t>& points,
                const std::vector<double>& signs, RationalFit2N& fit, double& level) {
    const std::size_t first = static_cast<std::size_t>(grid.dcZeros);
    const std::size_t degree = static_cast<std::size_t>(grid.degree);
    const std::size_t freeP = degree + 1 - first;
    const std::size_t unknowns = freeP + degree + 2;
    fit.numerator.c.resize(degree + 1, 0.0);
    fit.denominator.c.resize(degree + 1, 0.0);
    for (int step = 0; step < kMaxNewtonSteps; ++step) {
        Matrix a(unknowns, std::vector<double>(unknowns, 0.0));
        std::vector<double> b(unknowns, 0.0);
        for (std::size_t r = 0; r < points.size(); ++r) {
            const double y = grid.abscissae[points[r]];
            const double p = fit.numerator.At(y);
            const double q = fit.denominator.At(y);
            if (!(p > 0.0) || !(q > 0.0)) return false;
            double power = std::pow(y, static_cast<double>(first));
            for (std::size_t j = 0; j < freeP; ++j, power *= y) a[r][j] = power / p;
            power = 1.0;
            for (std::size_t j = 0; j <= degree; ++j, power *= y) a[r][freeP + j] = -power / q;
            a[r][unknowns - 1] = -signs[r];
            b[r] = -(std::log(p / (q * grid.targets[points[r]])) - signs[r] * level);
        }
        const double yRef = grid.referenceAbscissa;
        double power = std::pow(yRef, static_cast<double>(first));
        const std::size_t numeratorRow = points.size();
        const std::size_t denominatorRow = points.size() + 1;
        for (std::size_t j = 0; j < freeP; ++j, power *= yRef) a[numeratorRow][j] = power;
        power = 1.0;
        for (std::size_t j = 0; j <= degree; ++j, power *= yRef) {
            a[denominatorRow][freeP + j] = power;
        }
        b[numeratorRow] = 1.0 - fit.numerator.At(yRef);
        b[denominatorRow] = 1.0 - fit.denominator.At(yRef);

        std::vector<double> scale(unknowns, 0.0);
        for (std::size_t k = 0; k < unknowns; ++k) {
            for (std::size_t r = 0; r < unknowns; ++r)
                scale[k] = std::max(scale[k], std::abs(a[r][k]));
            if (!(scale[k] > 0.0)) return false;
            for (std::size_t r = 0; r < unknowns; ++r) a[r][k] /= scale[k];
        }
        if (!Solve(a, b)) return false;
        double largest = 0.0;
        for (std::size_t j = 0; j < freeP; ++j) {
            fit.numerator.c[first + j] += b[j] / scale[j];
        }
        for (std::size_t j = 0; j <= degree; ++j) {
            fit.denominator.c[j] += b[freeP + j] / scale[freeP + j];
        }
        level += b[unknowns - 1] / scale[unknowns - 1];
        for (double v : b) largest = std::max(largest, std::abs(v));
        if (largest < 1e-15) break;
    }
    return std::isfinite(level);
}

bool KeepsBoundsAndSigns(const CascadeFitGrid& grid, const RationalFit2N& fit, double level) {
    const double edge = fit.At(grid.bandEdgeAbscissa);
    for (double y : grid.aboveBandAbscissae) {
        if (!(std::log(fit.At(y) / edge) <= kBoundSlack * level)) return false;
    }
    for (double y : grid.belowBandAbscissae) {
        if (!(std::log(fit.At(y) / grid.belowBandLimit) <= kBoundSlack * level)) return false;
    }
    for (const auto* list : {&grid.abscissae, &grid.aboveBandAbscissae, &grid.belowBandAbscissae}) {
        for (double y : *list) {
            const bool zeroAtDc = y == 0.0 && grid.dcZeros > 0;
            if (!(fit.denominator.At(y) > 0.0) || !(zeroAtDc || fit.numerator.At(y) > 0.0)) {
                return false;
            }
        }
    }
    return true;
}

double Largest(const std::vector<double>& e) {
    double largest = 0.0;
    for (double v : e) largest = std::max(largest, std::abs(v));
    return largest;
}

}  // namespace

int AlternationCount(int sections, int dcZeros) { return 4 * sections + 1 - dcZeros; }

std::optional<RationalFit2N> PolishByRemez(const CascadeFitGrid& dense,
                                           const RationalFit2N& start) {
    const std::size_t count =
        static_cast<std::size_t>(AlternationCount(dense.degree / 2, dense.dcZeros));
    RationalFit2N fit = start;
    std::vector<double> e = Errors(dense, start);
    const double startLevel = Largest(e);
    if (!std::isfinite(startLevel)) return std::nullopt;
    for (int exchange = 0; exchange < kMaxExchanges; ++exchange) {
        if (exchange > 0) e = Errors(dense, fit);
        const std::vector<std::size_t> points = AlternatingExtremes(dense, e, count);
        if (points.empty()) return std::nullopt;
        std::vector<double> signs;
        double level = 0.0;
        for (std::size_t i : points) {
            signs.push_back(e[i] > 0.0 ? 1.0 : -1.0);
            level += std::abs(e[i]) / static_cast<double>(points.size());
        }
        if (!SolveLevel(dense, points, signs, fit, level)) return std::nullopt;
        const double largest = Largest(Errors(dense, fit));
        if (!std::isfinite(largest)) return std::nullopt;
        if (largest <= std::abs(level) * (1.0 + kLevelTolerance)) {
            if (largest < startLevel && KeepsBoundsAndSigns(dense, fit, largest)) return fit;
            return std::nullopt;
        }
    }
    return std::nullopt;
}
