#include "fit/cascade_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>

#include "fit/linear_program.h"
#include "fit/slsqp_run.h"

namespace {

// Guards keep P and Q above this share of the start's values outside the band, and
// below it above kFloorShare of the floor polynomials' (see CascadeFitGrid): low
// enough to leave the fit free, far above the rounding of the coefficients.
constexpr double kGuardShare = 1e-3;
constexpr double kFloorShare = 1e-6;
// Differential correction (see CorrectDifferentially): at most this many steps, each
// letting Q grow by at most this share of itself, stopping once a step would gain less
// than kLeastCorrection of the level (what the exchange counts as no gain; near the
// optimum the steps shrink faster than geometrically, so little is left), or the level
// is below kRoundingLevel (1e-11 dB, the rounding of the coefficients, which no step
// improves by more than noise).
constexpr int kMaxCorrectionSteps = 40;
constexpr double kQGrowth = 0.1;
constexpr double kLeastCorrection = 1e-3;
// A step whose promise rounding breaks, or an optimum d rounded above zero, counts as
// the end where it is less than this share of the level.
constexpr double kSettledShare = 1e-2;
constexpr double kRoundingLevel = 2e-12;
// Where the correction stops short (the linear solver's rounding), SLSQP carries on, with
// at most this many evaluations. Its constraints are in units of the start's deviation;
// the best point is chosen by its true deviation (see Track), so the tolerance only
// steers NLopt's own bookkeeping.
constexpr int kMaxEvaluations = 100;
constexpr double kConstraintTolerance = 1e-9;
// An out-of-band bound counts as kept up to this share of the start's deviation.
constexpr double kBoundSlack = 1e-6;
// Directions of a polynomial that move it this little on the band (against its
// strongest direction) are held fixed: they only move it outside the band.
constexpr double kRankFloor = 1e-13;

double Horner(const std::vector<double>& c, double y) {
    double value = 0.0;
    for (auto it = c.rbegin(); it != c.rend(); ++it) {
        value = value * y + *it;
    }
    return value;
}

// P without its zeros at DC: c[m] + c[m+1]·y + ... .
double Reduced(const std::vector<double>& c, int dcZeros, double y) {
    double value = 0.0;
    for (std::size_t j = c.size(); j-- > static_cast<std::size_t>(dcZeros);) {
        value = value * y + c[j];
    }
    return value;
}

std::vector<double> Padded(std::vector<double> c, int degree) {
    c.resize(static_cast<std::size_t>(degree) + 1, 0.0);
    return c;
}

using Row = std::vector<double>;

double Dot(const Row& row, const double* x) {
    double sum = 0.0;
    for (std::size_t j = 0; j < row.size(); ++j) sum += row[j] * x[j];
    return sum;
}

// One polynomial of the fit. Its free coefficients are c_j = start_j + t0·(R⁻¹z)_j·s_j:
// the powers y^j divided by the start's value form, over the band points, a matrix
// whose columns are nearly parallel at high degree (a Vandermonde matrix over six
// decades); R comes from its QR factorisation, so that in the variables z the band
// rows are orthonormal and the optimiser sees a problem of the same scale in every
// direction.
class Side {
public:
    Side(std::vector<double> start, int first, unsigned offset, const std::vector<double>& band)
        : start_(std::move(start)), first_(first), offset_(offset) {
        const std::size_t k = Count();
        std::vector<Row> columns(k, Row(band.size()));
        for (std::size_t i = 0; i < band.size(); ++i) {
            const Row raw = RawRow(band[i], std::vector<double>(k, 1.0));
            for (std::size_t j = 0; j < k; ++j) columns[j][i] = raw[j];
        }
        // Each column scaled to its largest entry first, then orthogonalised (modified
        // Gram-Schmidt, twice for accuracy).
        for (std::size_t j = 0; j < k; ++j) {
            double largest = 0.0;
            for (double v : columns[j]) largest = std::max(largest, std::abs(v));
            scale_.push_back(largest > 0.0 && std::isfinite(largest) ? 1.0 / largest : 1.0);
            for (double& v : columns[j]) v *= scale_[j];
        }
        r_.assign(k, Row(k, 0.0));
        double strongest = 0.0;
        for (std::size_t j = 0; j < k; ++j) {
            for (int pass = 0; pass < 2; ++pass) {
                for (std::size_t i = 0; i < j; ++i) {
                    double projection = 0.0;
                    for (std::size_t p = 0; p < band.size(); ++p) {
                        projection += columns[i][p] * columns[j][p];
                    }
                    r_[i][j] += projection;
                    for (std::size_t p = 0; p < band.size(); ++p) {
                        columns[j][p] -= projection * columns[i][p];
                    }
                }
            }
            double norm = 0.0;
            for (double v : columns[j]) norm += v * v;
            norm = std::sqrt(norm);
            strongest = std::max(strongest, norm);
            r_[j][j] = std::max(norm, kRankFloor * strongest);
            if (norm > 0.0) {
                for (double& v : columns[j]) v /= norm;
            }
        }
    }

    unsigned Count() const { return static_cast<unsigned>(start_.size()) - first_; }
    unsigned Offset() const { return offset_; }
    const std::vector<double>& Start() const { return start_; }

    // The relative change at y per unit of each variable: row·z = (P - P0)/(t0·P0).
    Row RowAt(double y) const {
        const Row raw = RawRow(y, scale_);
        // Solve row·R = raw.
        Row row(raw.size());
        for (std::size_t j = 0; j < raw.size(); ++j) {
            double sum = raw[j];
            for (std::size_t i = 0; i < j; ++i) sum -= row[i] * r_[i][j];
            row[j] = sum / r_[j][j];
        }
        return row;
    }

    std::vector<double> Coefficients(const double* z, double t0) const {
        // x = R⁻¹z by back substitution.
        const std::size_t k = Count();
        Row x(k);
        for (std::size_t j = k; j-- > 0;) {
            double sum = z[offset_ + j];
            for (std::size_t i = j + 1; i < k; ++i) sum -= r_[j][i] * x[i];
            x[j] = sum / r_[j][j];
        }
        std::vector<double> c = start_;
        for (std::size_t j = 0; j < k; ++j) c[first_ + j] += t0 * scale_[j] * x[j];
        return c;
    }

private:
    Row RawRow(double y, const std::vector<double>& scale) const {
        Row row;
        const double value = Reduced(start_, first_, y);
        double power = 1.0;
        for (double s : scale) {
            row.push_back(s * power / value);
            power *= y;
        }
        return row;
    }

    std::vector<double> start_;
    int first_;
    unsigned offset_;
    std::vector<double> scale_;
    std::vector<Row> r_;
};

struct Point {
    Row numerator;
    Row denominator;
};

// The problem in relative corrections: P = P0·(1 + t0·α), Q = Q0·(1 + t0·β), t = t0·v.
class ScaledProblem {
public:
    ScaledProblem(const CascadeFitGrid& grid, const RationalFit2N& start)
        : grid_(grid),
          t0_(LargestRatioDeviation(grid, start)),
          numerator_(Padded(start.numerator.c, grid.degree), grid.dcZeros, 0, grid.abscissae),
          denominator_(Padded(start.denominator.c, grid.degree), 0, numerator_.Count(),
                       grid.abscissae) {
        boundIndex_ = numerator_.Count() + denominator_.Count();
        for (std::size_t i = 0; i < grid.abscissae.size(); ++i) {
            const double y = grid.abscissae[i];
            band_.push_back(MakePoint(y));
            bandStart_.push_back(StartGain(y) / grid.targets[i]);
        }
        edge_ = MakePoint(grid.bandEdgeAbscissa);
        const double edgeGain = StartGain(grid.bandEdgeAbscissa);
        for (double y : grid.aboveBandAbscissae) {
            above_.push_back(MakePoint(y));
            aboveStart_.push_back(StartGain(y) / edgeGain);
        }
        for (double y : grid.belowBandAbscissae) {
            below_.push_back(MakePoint(y));
            belowStart_.push_back(StartGain(y) / grid.belowBandLimit);
        }
        for (double y : grid.guardAbscissae) {
            guards_.push_back(MakePoint(y));
            const bool below = y < grid.referenceAbscissa;
            guardShares_.push_back(
                {GuardShare(below ? grid.guardNumerator : PolynomialInY{}, numerator_, grid.dcZeros,
                            y),
                 GuardShare(below ? grid.guardDenominator : PolynomialInY{}, denominator_, 0, y)});
        }
        reference_ = MakePoint(grid.referenceAbscissa);
    }

    unsigned Variables() const { return boundIndex_ + 1; }
    unsigned BoundIndex() const { return boundIndex_; }
    unsigned Inequalities() const {
        return static_cast<unsigned>(2 * band_.size() + above_.size() + below_.size() +
                                     2 * guards_.size());
    }

    // Rows in the order: band (above and below the target), above the band, below it,
    // guards of P and Q; each divided by t0.
    void Inequalities(double* result, const double* x, double* gradient) {
        const unsigned n = Variables();
        if (gradient != nullptr) {
            std::fill(gradient, gradient + static_cast<std::size_t>(Inequalities()) * n, 0.0);
        }
        const double v = x[boundIndex_];
        unsigned row = 0;
        const auto gradientRow = [&](unsigned r) {
            return gradient == nullptr ? nullptr : gradient + static_cast<std::size_t>(r) * n;
        };
        // a - (1 + t)·b <= 0 and b - (1 + t)·a <= 0, a = A·(1 + t0·α), b = 1 + t0·β.
        for (std::size_t i = 0; i < band_.size(); ++i) {
            const Point& p = band_[i];
            const double a = bandStart_[i];
            const double alpha = Alpha(p, x);
            const double beta = Beta(p, x);
            result[row] = (a - 1.0) / t0_ + a * alpha - beta - v * (1.0 + t0_ * beta);
            result[row + 1] = (1.0 - a) / t0_ + beta - a * alpha - v * a * (1.0 + t0_ * alpha);
            if (double* g = gradientRow(row)) {
                Add(g, numerator_, p.numerator, a);
                Add(g, denominator_, p.denominator, -(1.0 + t0_ * v));
                g[boundIndex_] = -(1.0 + t0_ * beta);
                double* h = g + n;
                Add(h, numerator_, p.numerator, -a * (1.0 + t0_ * v));
                Add(h, denominator_, p.denominator, 1.0);
                h[boundIndex_] = -a * (1.0 + t0_ * alpha);
            }
            row += 2;
        }
        // K·(1 + t0·αc)(1 + t0·βe) - (1 + t0·αe)(1 + t0·βc) <= 0.
        const double alphaEdge = Alpha(edge_, x);
        const double betaEdge = Beta(edge_, x);
        for (std::size_t i = 0; i < above_.size(); ++i) {
            const Point& p = above_[i];
            const double k = aboveStart_[i];
            const double alpha = Alpha(p, x);
            const double beta = Beta(p, x);
            result[row] = (k - 1.0) / t0_ + k * (alpha + betaEdge + t0_ * alpha * betaEdge) -
                          (alphaEdge + beta + t0_ * alphaEdge * beta);
            if (double* g = gradientRow(row)) {
                Add(g, numerator_, p.numerator, k * (1.0 + t0_ * betaEdge));
                Add(g, numerator_, edge_.numerator, -(1.0 + t0_ * beta));
                Add(g, denominator_, edge_.denominator, k * (1.0 + t0_ * alpha));
                Add(g, denominator_, p.denominator, -(1.0 + t0_ * alphaEdge));
            }
            ++row;
        }
        // K·(1 + t0·α) - (1 + t0·β) <= 0, K the start's gain over the limit.
        for (std::size_t i = 0; i < below_.size(); ++i) {
            const Point& p = below_[i];
            const double k = belowStart_[i];
            result[row] = (k - 1.0) / t0_ + k * Alpha(p, x) - Beta(p, x);
            if (double* g = gradientRow(row)) {
                Add(g, numerator_, p.numerator, k);
                Add(g, denominator_, p.denominator, -1.0);
            }
            ++row;
        }
        // share - (1 + t0·α) <= 0, and the same for β.
        for (std::size_t i = 0; i < guards_.size(); ++i) {
            const Point& p = guards_[i];
            result[row] = (guardShares_[i].first - 1.0) / t0_ - Alpha(p, x);
            result[row + 1] = (guardShares_[i].second - 1.0) / t0_ - Beta(p, x);
            if (double* g = gradientRow(row)) {
                Add(g, numerator_, p.numerator, -1.0);
                Add(g + n, denominator_, p.denominator, -1.0);
            }
            row += 2;
        }
        Track(result, x);
    }

    // P and Q unchanged at the reference: α = β = 0 there.
    void Equalities(double* result, const double* x, double* gradient) const {
        const unsigned n = Variables();
        result[0] = Alpha(reference_, x);
        result[1] = Beta(reference_, x);
        if (gradient != nullptr) {
            std::fill(gradient, gradient + 2 * n, 0.0);
            Add(gradient, numerator_, reference_.numerator, 1.0);
            Add(gradient + n, denominator_, reference_.denominator, 1.0);
        }
    }

    // The best point visited, or empty when none was better than the start.
    const std::vector<double>& Best() const { return best_; }

    RationalFit2N Decode(const double* x) const {
        return {{numerator_.Coefficients(x, t0_)}, {denominator_.Coefficients(x, t0_)}};
    }

    double StartDeviation() const { return t0_; }

    // The deviation at x as the band rows read it (P and Q as they are, not scaled to 1
    // at the reference), in units of the start's.
    double Level(const double* x) const { return BandDeviation(x, 1.0) / t0_; }

    // One step of differential correction from x, whose level is `level`: the linear
    // program in the step s from x (every variable but the last) and d,
    //   P - (1 + t)·T·Q <= d·T·Qx  and  T·Q - (1 + t)·P <= d·Px  at every band point,
    // t the level at x and Px, Qx the polynomials there; Q at most a share kQGrowth of
    // itself above Qx, since P and Q scaled up together away from the reference lower
    // d without changing P/Q; the out-of-band bounds and guards
    // linearised at x; P and Q unchanged at the reference. Its optimum d is negative
    // while x can be improved, and bounds the level at x + s from above.
    void SetCorrectionStep(LinearProgram& program, const double* x, double level) {
        const unsigned n = Variables();
        const unsigned rows = Inequalities();
        std::vector<double> values(rows);
        std::vector<double> gradient(static_cast<std::size_t>(rows) * n);
        Inequalities(values.data(), x, gradient.data());
        const double t = t0_ * level;
        std::vector<double> a(n, 0.0);
        int row = 0;
        // a·(x + s) <= upper, as a row in s.
        const auto emit = [&](double upper, bool equality = false) {
            for (unsigned j = 0; j < boundIndex_; ++j) upper -= a[j] * x[j];
            program.SetRow(row++, a, upper, equality);
            std::fill(a.begin(), a.end(), 0.0);
        };
        for (std::size_t i = 0; i < band_.size(); ++i) {
            const Point& p = band_[i];
            const double start = bandStart_[i];
            Set(a, numerator_, p.numerator, start);
            Set(a, denominator_, p.denominator, -(1.0 + t));
            a[boundIndex_] = -(1.0 + t0_ * Beta(p, x));
            emit((1.0 - start) / t0_ + level);
            Set(a, numerator_, p.numerator, -(1.0 + t) * start);
            Set(a, denominator_, p.denominator, 1.0);
            a[boundIndex_] = -start * (1.0 + t0_ * Alpha(p, x));
            emit((start - 1.0) / t0_ + level * start);
            Set(a, denominator_, p.denominator, 1.0);
            emit(Beta(p, x) + kQGrowth * (1.0 / t0_ + Beta(p, x)));
        }
        // f(x) + f'(x)·s <= 0, exact for the rows that are linear.
        for (unsigned r = 2 * static_cast<unsigned>(band_.size()); r < rows; ++r) {
            std::copy_n(gradient.begin() + static_cast<std::ptrdiff_t>(r) * n, boundIndex_,
                        a.begin());
            // A row the last step left broken within the solver's tolerance (or by the
            // second-order term of a bound) may not get worse, but need not be mended
            // at the band's expense.
            program.SetRow(row++, a, std::max(-values[r], 0.0));
            std::fill(a.begin(), a.end(), 0.0);
        }
        Set(a, numerator_, reference_.numerator, 1.0);
        emit(0.0, true);
        Set(a, denominator_, reference_.denominator, 1.0);
        emit(0.0, true);
    }

    // Three rows a band point (above and below the target, Q's growth), the bounds and
    // guards, the two at the reference.
    int CorrectionRows() const { return static_cast<int>(Inequalities() + band_.size()) + 2; }

private:
    Point MakePoint(double y) const { return {numerator_.RowAt(y), denominator_.RowAt(y)}; }

    // The share of the start's value at y that a guard holds the polynomial above:
    // kFloorShare of the floor polynomial's, or all of the start's where the start is
    // already lower; without a floor, kGuardShare. Below the band a share of the start
    // alone sinks a little with every fit that starts from the last, until rounding
    // flips the sign of a value the band does not see (P at DC, where the curve has a
    // zero far below the band); above it the band holds P and Q in place.
    static double GuardShare(const PolynomialInY& floor, const Side& side, int dcZeros, double y) {
        const double start = Reduced(side.Start(), dcZeros, y);
        const double share =
            floor.c.empty() ? kGuardShare : kFloorShare * Reduced(floor.c, dcZeros, y) / start;
        return share > 0.0 && std::isfinite(share) ? std::min(share, 1.0) : kGuardShare;
    }

    double StartGain(double y) const {
        return Horner(numerator_.Start(), y) / Horner(denominator_.Start(), y);
    }
    double Alpha(const Point& p, const double* x) const {
        return Dot(p.numerator, x + numerator_.Offset());
    }
    double Beta(const Point& p, const double* x) const {
        return Dot(p.denominator, x + denominator_.Offset());
    }

    static void Set(std::vector<double>& a, const Side& side, const Row& row, double weight) {
        for (std::size_t j = 0; j < row.size(); ++j) a[side.Offset() + j] = weight * row[j];
    }

    static void Add(double* gradient, const Side& side, const Row& row, double weight) {
        for (std::size_t j = 0; j < row.size(); ++j) {
            gradient[side.Offset() + j] += weight * row[j];
        }
    }

    // Remembers the best point the optimiser has visited, judged as the result will
    // be: its largest deviation once P and Q are scaled to 1 at the reference, among
    // the points that keep the out-of-band bounds and are positive at the guards.
    // The linearised bounds of a correction step hold only to first order, and SLSQP
    // meets nonlinear constraints only to a tolerance near the optimum; this keeps the
    // answer from depending on either.
    void Track(const double* rows, const double* x) {
        const double renormalise =
            (1.0 + t0_ * Beta(reference_, x)) / (1.0 + t0_ * Alpha(reference_, x));
        const double largest = BandDeviation(x, renormalise);
        if (!(largest < bestDeviation_)) return;
        const std::size_t guardRows = 2 * guards_.size();
        for (std::size_t row = 2 * band_.size(); row < Inequalities() - guardRows; ++row) {
            if (!(rows[row] <= kBoundSlack)) return;
        }
        // A guard holds a polynomial above a share of its start: it counts as kept
        // to a millionth of that share.
        for (std::size_t i = 0; i < guards_.size(); ++i) {
            const std::size_t row = Inequalities() - guardRows + 2 * i;
            if (!(rows[row] <= kBoundSlack * std::max(1.0, guardShares_[i].first / t0_)) ||
                !(rows[row + 1] <= kBoundSlack * std::max(1.0, guardShares_[i].second / t0_))) {
                return;
            }
        }
        bestDeviation_ = largest;
        best_.assign(x, x + Variables());
    }

    // max(P/(T·Q), T·Q/P) - 1 over the band with P/Q scaled by `scale`; infinite where
    // P/Q is not positive.
    double BandDeviation(const double* x, double scale) const {
        double largest = 0.0;
        for (std::size_t i = 0; i < band_.size(); ++i) {
            const double ratio = bandStart_[i] * (1.0 + t0_ * Alpha(band_[i], x)) /
                                 (1.0 + t0_ * Beta(band_[i], x)) * scale;
            if (!(ratio > 0.0)) return std::numeric_limits<double>::infinity();
            largest = std::max(largest, std::max(ratio, 1.0 / ratio) - 1.0);
        }
        return largest;
    }

    const CascadeFitGrid& grid_;
    double t0_;
    Side numerator_;
    Side denominator_;
    unsigned boundIndex_ = 0;
    std::vector<Point> band_;
    std::vector<double> bandStart_;
    Point edge_;
    std::vector<Point> above_;
    std::vector<double> aboveStart_;
    std::vector<Point> below_;
    std::vector<double> belowStart_;
    std::vector<Point> guards_;
    std::vector<std::pair<double, double>> guardShares_;  // of P and of Q
    Point reference_;
    double bestDeviation_ = std::numeric_limits<double>::infinity();
    std::vector<double> best_;
};

double Objective(unsigned n, const double* x, double* gradient, void*) {
    if (gradient != nullptr) {
        std::fill(gradient, gradient + n, 0.0);
        gradient[n - 1] = 1.0;
    }
    return x[n - 1];
}

void InequalityRows(unsigned, double* result, unsigned, const double* x, double* gradient,
                    void* data) {
    static_cast<ScaledProblem*>(data)->Inequalities(result, x, gradient);
}

void EqualityRows(unsigned, double* result, unsigned, const double* x, double* gradient,
                  void* data) {
    static_cast<const ScaledProblem*>(data)->Equalities(result, x, gradient);
}

PolynomialInY NormalisedAt(PolynomialInY p, double y) {
    const double value = p.At(y);
    for (double& c : p.c) c /= value;
    return p;
}

// Minimises t from x under the problem's constraints; the problem tracks the best point.
nlopt_result Optimise(ScaledProblem& problem, std::vector<double>& x) {
    SlsqpRun run{Objective, problem.Inequalities(), InequalityRows, EqualityRows,
                 &problem,  kConstraintTolerance,   kMaxEvaluations};
    run.xtolRel = 1e-12;
    return RunSlsqp(run, x);
}

// Differential correction from x (Cheney and Loeb's method for rational minimax fits):
// each step solves the linear program of SetCorrectionStep, starting from the basis of
// the step before, and moves to its solution. The problem tracks the best point. Each
// step's optimum d bounds the next level (up to Q's growth), so the level falls
// monotonically and, near the optimum, superlinearly; unlike a general nonlinear solver
// it stops at the optimum of the grid, not short of it, which spares the exchange the
// rounds it would spend restarting from a point short of it. Returns whether it got
// there: false where the linear solver gave up, or its rounding broke a step's promise
// (or lifted d above zero) by more than kSettledShare of the level.
bool CorrectDifferentially(ScaledProblem& problem, std::vector<double>& x) {
    const int n = static_cast<int>(problem.Variables());
    const int d = static_cast<int>(problem.BoundIndex());
    LinearProgram program(n, problem.CorrectionRows());
    program.SetObjective(d, 1.0);
    double level = problem.Level(x.data());
    bool converged = false;
    for (int step = 0; step < kMaxCorrectionSteps && std::isfinite(level); ++step) {
        if (level * problem.StartDeviation() <= kRoundingLevel) {
            converged = true;
            break;
        }
        problem.SetCorrectionStep(program, x.data(), level);
        const auto solution = program.Solve();
        if (!solution) break;
        // d = 0 is feasible at x: an optimum above zero is the solver's rounding, at the
        // end where it is small, else a failure of the solve.
        if (solution->objective >= -kLeastCorrection * level) {
            converged = solution->objective <= kSettledShare * level;
            break;
        }
        std::vector<double> next = x;
        for (int j = 0; j < d; ++j) next[j] += solution->x[j];
        const double nextLevel = problem.Level(next.data());
        // The step's promise, less what Q may have grown by. Broken, it is the solver's
        // rounding; where it promised little, x is as good as the grid allows.
        if (!(nextLevel <= level + 0.5 * solution->objective / (1.0 + kQGrowth))) {
            converged = -solution->objective <= kSettledShare * level;
            break;
        }
        next[d] = nextLevel;
        x = std::move(next);
        level = nextLevel;
    }
    // The last point is tracked (and its bounds checked) like every other.
    std::vector<double> rows(problem.Inequalities());
    problem.Inequalities(rows.data(), x.data(), nullptr);
    return converged;
}

}  // namespace

double PolynomialInY::At(double y) const { return Horner(c, y); }

double LargestRatioDeviation(const CascadeFitGrid& grid, const RationalFit2N& fit) {
    double largest = 0.0;
    for (std::size_t i = 0; i < grid.abscissae.size(); ++i) {
        const double ratio = fit.At(grid.abscissae[i]) / grid.targets[i];
        if (!(ratio > 0.0) || !std::isfinite(ratio)) {
            return std::numeric_limits<double>::infinity();
        }
        largest = std::max(largest, std::max(ratio, 1.0 / ratio) - 1.0);
    }
    return largest;
}

bool PositiveOnGrid(const CascadeFitGrid& grid, const RationalFit2N& fit) {
    for (const auto* list : {&grid.abscissae, &grid.aboveBandAbscissae, &grid.belowBandAbscissae,
                             &grid.guardAbscissae}) {
        for (double y : *list) {
            const bool zeroAtDc = y == 0.0 && grid.dcZeros > 0;
            if (!(fit.denominator.At(y) > 0.0) || !(zeroAtDc || fit.numerator.At(y) > 0.0)) {
                return false;
            }
        }
    }
    return true;
}

double LargestBoundExcess(const CascadeFitGrid& grid, const RationalFit2N& fit) {
    double largest = -1.0;
    const double edge = fit.At(grid.bandEdgeAbscissa);
    for (double y : grid.aboveBandAbscissae) {
        const double excess = fit.At(y) / edge - 1.0;
        if (std::isnan(excess)) return std::numeric_limits<double>::infinity();
        largest = std::max(largest, excess);
    }
    for (double y : grid.belowBandAbscissae) {
        const double excess = fit.At(y) / grid.belowBandLimit - 1.0;
        if (std::isnan(excess)) return std::numeric_limits<double>::infinity();
        largest = std::max(largest, excess);
    }
    return largest;
}

RationalFit2N FitCascadeMinimax(const CascadeFitGrid& grid, const RationalFit2N& start) {
    const double startDeviation = LargestRatioDeviation(grid, start);
    if (!std::isfinite(startDeviation) || !(startDeviation > 0.0)) {
        return start;
    }
    ScaledProblem problem(grid, start);
    std::vector<double> x(problem.Variables(), 0.0);
    x[problem.BoundIndex()] = 1.0;

    if (!CorrectDifferentially(problem, x)) {
        if (!problem.Best().empty()) x = problem.Best();
        const nlopt_result outcome = Optimise(problem, x);
        if (outcome == NLOPT_INVALID_ARGS) {
            throw std::invalid_argument("nlopt invalid argument");
        }
        if (outcome == NLOPT_OUT_OF_MEMORY) {
            throw std::bad_alloc();
        }
        // Any other outcome, ROUNDOFF_LIMITED (SLSQP cannot improve further in double
        // precision) or a failed solve included, leaves the best point visited, if any,
        // judged below like any other.
    }
    if (problem.Best().empty()) {
        return start;
    }
    RationalFit2N result = problem.Decode(problem.Best().data());
    result.numerator = NormalisedAt(result.numerator, grid.referenceAbscissa);
    result.denominator = NormalisedAt(result.denominator, grid.referenceAbscissa);
    const bool keepsBounds =
        LargestBoundExcess(grid, result) <=
        std::max(LargestBoundExcess(grid, start), 0.0) + kBoundSlack * startDeviation;
    if (keepsBounds && PositiveOnGrid(grid, result) &&
        LargestRatioDeviation(grid, result) < startDeviation) {
        return result;
    }
    return start;
}
