#include "fit/minimax_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>

#include "fit/slsqp_run.h"

namespace {

constexpr unsigned kCoefficients = 3;
// N's three coefficients, D's three, then t.
constexpr unsigned kVariables = 2 * kCoefficients + 1;
constexpr unsigned kBoundIndex = 2 * kCoefficients;

// Guards keep N and D above this share of the start's value outside the band.
constexpr double kGuardShare = 1e-3;
constexpr int kMaxEvaluations = 400;
// Constraints are ratios near 1: a violation of 1e-10 is 4e-10 dB. Much tighter and
// rounding alone makes every improved point count as infeasible.
constexpr double kConstraintTolerance = 1e-10;

using Row = std::array<double, kCoefficients>;

// The problem in scaled variables: each coefficient multiplies a basis column whose
// largest entry is 1 and each constraint is a ratio near 1 at the start, so that
// SLSQP sees numbers of one size although the raw coefficients span ten decades at
// high sampling rates.
struct ScaledProblem {
    Row numeratorScale{};
    Row denominatorScale{};
    // With s_i = D(y_i) of the start: N(y_i)/(T_i·s_i) and D(y_i)/s_i, each = row · x.
    std::vector<Row> numeratorRows;
    std::vector<Row> denominatorRows;
    std::vector<Row> guardNumeratorRows;
    std::vector<Row> guardDenominatorRows;
    Row referenceNumeratorRow{};
    Row referenceDenominatorRow{};
};

Row Powers(double y) { return {1.0, y, y * y}; }

double Dot(const Row& row, const double* x) {
    return row[0] * x[0] + row[1] * x[1] + row[2] * x[2];
}

Row Scaled(const Row& powers, const Row& scale, double divisor) {
    return {powers[0] * scale[0] / divisor, powers[1] * scale[1] / divisor,
            powers[2] * scale[2] / divisor};
}

ScaledProblem Scale(const FitGrid& grid, const RationalFit& start) {
    ScaledProblem problem;
    const std::size_t n = grid.abscissae.size();
    std::vector<double> numeratorDivisor(n);
    std::vector<double> denominatorDivisor(n);
    Row numeratorLargest{};
    Row denominatorLargest{};
    for (std::size_t i = 0; i < n; ++i) {
        const double y = grid.abscissae[i];
        denominatorDivisor[i] = start.denominator.At(y);
        numeratorDivisor[i] = grid.targets[i] * denominatorDivisor[i];
        const Row powers = Powers(y);
        for (unsigned k = 0; k < kCoefficients; ++k) {
            numeratorLargest[k] = std::max(numeratorLargest[k], powers[k] / numeratorDivisor[i]);
            denominatorLargest[k] =
                std::max(denominatorLargest[k], powers[k] / denominatorDivisor[i]);
        }
    }
    for (unsigned k = 0; k < kCoefficients; ++k) {
        problem.numeratorScale[k] = 1.0 / numeratorLargest[k];
        problem.denominatorScale[k] = 1.0 / denominatorLargest[k];
    }
    for (std::size_t i = 0; i < n; ++i) {
        const Row powers = Powers(grid.abscissae[i]);
        problem.numeratorRows.push_back(
            Scaled(powers, problem.numeratorScale, numeratorDivisor[i]));
        problem.denominatorRows.push_back(
            Scaled(powers, problem.denominatorScale, denominatorDivisor[i]));
    }
    for (double y : grid.guardAbscissae) {
        const Row powers = Powers(y);
        problem.guardNumeratorRows.push_back(
            Scaled(powers, problem.numeratorScale, start.numerator.At(y)));
        problem.guardDenominatorRows.push_back(
            Scaled(powers, problem.denominatorScale, start.denominator.At(y)));
    }
    const Row reference = Powers(grid.referenceAbscissa);
    problem.referenceNumeratorRow = Scaled(reference, problem.numeratorScale, 1.0);
    problem.referenceDenominatorRow = Scaled(reference, problem.denominatorScale, 1.0);
    return problem;
}

// Writes one constraint row of the gradient: d/dx of (row_N·x_N + row_D·x_D + bound·t).
void SetGradient(double* gradient, const Row& numerator, const Row& denominator, double bound) {
    for (unsigned k = 0; k < kCoefficients; ++k) {
        gradient[k] = numerator[k];
        gradient[kCoefficients + k] = denominator[k];
    }
    gradient[kBoundIndex] = bound;
}

// At every point: a - (1 + t)·b <= 0 and b - (1 + t)·a <= 0, a = N/(T·s), b = D/s.
// Then at every guard: share - N/N_start <= 0 and share - D/D_start <= 0.
void Constraints(unsigned, double* result, unsigned n, const double* x, double* gradient,
                 void* data) {
    const auto& problem = *static_cast<const ScaledProblem*>(data);
    const double* xn = x;
    const double* xd = x + kCoefficients;
    const double growth = 1.0 + x[kBoundIndex];
    const Row zero{};
    unsigned row = 0;
    for (std::size_t i = 0; i < problem.numeratorRows.size(); ++i) {
        const Row& rn = problem.numeratorRows[i];
        const Row& rd = problem.denominatorRows[i];
        const double a = Dot(rn, xn);
        const double b = Dot(rd, xd);
        result[row] = a - growth * b;
        result[row + 1] = b - growth * a;
        if (gradient != nullptr) {
            SetGradient(gradient + row * n, rn, {-growth * rd[0], -growth * rd[1], -growth * rd[2]},
                        -b);
            SetGradient(gradient + (row + 1) * n,
                        {-growth * rn[0], -growth * rn[1], -growth * rn[2]}, rd, -a);
        }
        row += 2;
    }
    for (std::size_t j = 0; j < problem.guardNumeratorRows.size(); ++j) {
        const Row& gn = problem.guardNumeratorRows[j];
        const Row& gd = problem.guardDenominatorRows[j];
        result[row] = kGuardShare - Dot(gn, xn);
        result[row + 1] = kGuardShare - Dot(gd, xd);
        if (gradient != nullptr) {
            SetGradient(gradient + row * n, {-gn[0], -gn[1], -gn[2]}, zero, 0.0);
            SetGradient(gradient + (row + 1) * n, zero, {-gd[0], -gd[1], -gd[2]}, 0.0);
        }
        row += 2;
    }
}

// N = 1 and D = 1 at the reference frequency.
void ReferenceConstraints(unsigned, double* result, unsigned n, const double* x, double* gradient,
                          void* data) {
    const auto& problem = *static_cast<const ScaledProblem*>(data);
    result[0] = Dot(problem.referenceNumeratorRow, x) - 1.0;
    result[1] = Dot(problem.referenceDenominatorRow, x + kCoefficients) - 1.0;
    if (gradient != nullptr) {
        const Row zero{};
        SetGradient(gradient, problem.referenceNumeratorRow, zero, 0.0);
        SetGradient(gradient + n, zero, problem.referenceDenominatorRow, 0.0);
    }
}

double Bound(unsigned, const double* x, double* gradient, void*) {
    if (gradient != nullptr) {
        std::fill(gradient, gradient + kVariables, 0.0);
        gradient[kBoundIndex] = 1.0;
    }
    return x[kBoundIndex];
}

// Minimises t from x under the problem's constraints; x holds the last point after.
nlopt_result Optimise(ScaledProblem& problem, std::vector<double>& x) {
    const auto inequalities =
        2 * (problem.numeratorRows.size() + problem.guardNumeratorRows.size());
    SlsqpRun run{Bound,          static_cast<unsigned>(inequalities),
                 Constraints,    ReferenceConstraints,
                 &problem,       kConstraintTolerance,
                 kMaxEvaluations};
    run.ftolAbs = 1e-13;
    return RunSlsqp(run, x);
}

}  // namespace

double LargestRatioDeviation(const FitGrid& grid, const RationalFit& fit) {
    double largest = 0.0;
    for (std::size_t i = 0; i < grid.abscissae.size(); ++i) {
        const double y = grid.abscissae[i];
        const double ratio = fit.numerator.At(y) / (grid.targets[i] * fit.denominator.At(y));
        if (!(ratio > 0.0) || !std::isfinite(ratio)) {
            return std::numeric_limits<double>::infinity();
        }
        largest = std::max(largest, std::max(ratio, 1.0 / ratio) - 1.0);
    }
    return largest;
}

double LargestDeviationDb(const FitGrid& grid, const RationalFit& fit) {
    return 10.0 * std::log10(1.0 + LargestRatioDeviation(grid, fit));
}

RationalFit FitMinimax(const FitGrid& grid, const RationalFit& start) {
    const double startDeviation = LargestRatioDeviation(grid, start);
    if (!std::isfinite(startDeviation)) {
        return start;
    }
    ScaledProblem problem = Scale(grid, start);

    std::vector<double> x(kVariables);
    for (unsigned k = 0; k < kCoefficients; ++k) {
        x[k] = start.numerator.c[k] / problem.numeratorScale[k];
        x[kCoefficients + k] = start.denominator.c[k] / problem.denominatorScale[k];
    }
    x[kBoundIndex] = startDeviation;

    const nlopt_result outcome = Optimise(problem, x);
    if (outcome == NLOPT_INVALID_ARGS) {
        throw std::invalid_argument("nlopt invalid argument");
    }
    if (outcome == NLOPT_OUT_OF_MEMORY) {
        throw std::bad_alloc();
    }
    // SLSQP stops with ROUNDOFF_LIMITED when it cannot improve further in double
    // precision; x then holds its last point, judged below like any other. Any other
    // failure keeps the start.
    if (outcome < 0 && outcome != NLOPT_ROUNDOFF_LIMITED) {
        return start;
    }

    RationalFit result;
    for (unsigned k = 0; k < kCoefficients; ++k) {
        result.numerator.c[k] = x[k] * problem.numeratorScale[k];
        result.denominator.c[k] = x[kCoefficients + k] * problem.denominatorScale[k];
    }
    return LargestRatioDeviation(grid, result) < startDeviation ? result : start;
}
