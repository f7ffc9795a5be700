#include "designs/detail/cascade_exchange.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "fit/cascade_remez.h"
#include "fit/squared_magnitude.h"
#include "response/response_comparison.h"

namespace {

constexpr int kFitPointsPerDecade = 6;
constexpr int kTopFitPoints = 16;
constexpr int kAboveBandFitPoints = 8;
constexpr int kAboveBandCheckPoints = 1000;
constexpr double kBelowBandCheckLowHz = 0.01;
constexpr int kBelowBandCheckPointsPerDecade = 100;
constexpr int kMaxExchangeRounds = 16;
constexpr double kSeparation = 0.01;
// Another round when the dense grid finds a deviation this much (relative) above
// what the optimiser saw, or a bound exceeded by this share of the deviation.
constexpr double kExchangeTolerance = 1e-4;
// A round that gains less than this share is the optimiser's last word on its grid.
constexpr double kLeastGain = 1e-3;
// Below this ratio deviation (2e-12 dB) the error is rounding noise: the fit cannot
// improve it and the exchange would chase noise peaks.
constexpr double kNoiseFloor = 5e-13;
// A fit this close (4e-11 dB) is as close as coefficients in double precision can
// follow: the last digits of the design's own response are rounding.
constexpr double kRoundingFloor = 1e-11;

PolynomialInY NormalisedAt(PolynomialInY p, double y) {
    const double value = p.At(y);
    for (double& c : p.c) c /= value;
    return p;
}

PolynomialInY Product(const std::vector<PolynomialInY>& factors) {
    PolynomialInY product{{1.0}};
    for (const PolynomialInY& f : factors) {
        std::vector<double> c(product.c.size() + f.c.size() - 1, 0.0);
        for (std::size_t i = 0; i < product.c.size(); ++i) {
            for (std::size_t j = 0; j < f.c.size(); ++j) c[i + j] += product.c[i] * f.c[j];
        }
        product.c = std::move(c);
    }
    return product;
}

// Each analogue factor |1 + jωτ|² = 1 + (ωτ)² with ω replaced by 2·fs·sin(ω/2), and
// |jωτ|² by (2·fs·τ)²·y: exact at low frequencies, compressed towards Nyquist
// instead of folded.
RationalFit2N WarpedStart(const AnalogueCurve& curve, double fs) {
    const auto warped = [&](double tau, double constant) {
        return PolynomialInY{{constant, 4.0 * fs * fs * tau * tau}};
    };
    std::vector<PolynomialInY> zeros;
    std::vector<PolynomialInY> poles;
    for (double tau : curve.dcZeroTaus) zeros.push_back(warped(tau, 0.0));
    for (double tau : curve.zeroTaus) zeros.push_back(warped(tau, 1.0));
    for (double tau : curve.dcPoleTaus) poles.push_back(warped(tau, 0.0));
    for (double tau : curve.poleTaus) poles.push_back(warped(tau, 1.0));
    const double y = SquaredMagnitudeAbscissa(kCascadeReferenceHz, fs);
    return {NormalisedAt(Product(zeros), y), NormalisedAt(Product(poles), y)};
}

// Everything the fits of one curve at one rate share.
struct Setup {
    Setup(const AnalogueCurve& curve, double samplingFrequency)
        : curve(curve),
          fs(samplingFrequency),
          top(MinimaxBandTopHz(samplingFrequency)),
          dcZeros(NetZerosAtDc(curve)),
          reference(std::norm(AnalogueResponse(curve, kCascadeReferenceHz))),
          warped(WarpedStart(curve, samplingFrequency)) {
        double largest = 0.0;
        if (dcZeros == 0) largest = Target(0.0);
        for (double f :
             LogGrid(kBelowBandCheckLowHz, kMinimaxBandBottomHz, kBelowBandCheckPointsPerDecade)) {
            largest = std::max(largest, Target(f));
        }
        belowBandLimit = largest * std::pow(10.0, kCascadeBelowBandMarginDb / 10.0);
    }

    // The curve's squared gain, 1 at the reference.
    double Target(double hz) const { return std::norm(AnalogueResponse(curve, hz)) / reference; }
    double Abscissa(double hz) const { return SquaredMagnitudeAbscissa(hz, fs); }

    AnalogueCurve curve;
    double fs;
    double top;
    int dcZeros;
    double reference;
    RationalFit2N warped;  // the start of the least order, and the guards' floor
    double belowBandLimit = 0.0;
};

// The frequencies (and guard abscissae) one fit sees; the exchange adds to them.
struct FitPoints {
    std::vector<double> bandHz;
    std::vector<double> aboveHz;
    std::vector<double> belowHz;
    std::vector<double> guardAbscissae;
};

CascadeFitGrid MakeGrid(const Setup& s, const FitPoints& points, int sections) {
    CascadeFitGrid grid;
    grid.degree = 2 * sections;
    grid.dcZeros = s.dcZeros;
    grid.referenceAbscissa = s.Abscissa(kCascadeReferenceHz);
    for (double f : points.bandHz) {
        grid.abscissae.push_back(s.Abscissa(f));
        grid.targets.push_back(s.Target(f));
    }
    for (double f : points.aboveHz) grid.aboveBandAbscissae.push_back(s.Abscissa(f));
    for (double f : points.belowHz) grid.belowBandAbscissae.push_back(s.Abscissa(f));
    grid.guardAbscissae = points.guardAbscissae;
    grid.bandEdgeAbscissa = s.Abscissa(s.top);
    grid.belowBandLimit = s.belowBandLimit;
    grid.guardNumerator = s.warped.numerator;
    grid.guardDenominator = s.warped.denominator;
    return grid;
}

FitPoints InitialPoints(const Setup& s) {
    FitPoints points;
    // A log grid, and a linear one that is denser near the top of the band, where the
    // extra sections do their work and the error's extremes crowd together.
    points.bandHz = LogGrid(kMinimaxBandBottomHz, s.top, kFitPointsPerDecade);
    for (int k = 1; k < kTopFitPoints; ++k) {
        const double share = static_cast<double>(k) / kTopFitPoints;
        const double f = s.top * (1.0 - share * share);
        if (f > kMinimaxBandBottomHz) points.bandHz.push_back(f);
    }
    const double nyquist = 0.5 * s.fs;
    for (int k = 1; k <= kAboveBandFitPoints; ++k) {
        points.aboveHz.push_back(s.top + (nyquist - s.top) * k / kAboveBandFitPoints);
    }
    if (s.dcZeros == 0) points.belowHz.push_back(0.0);
    for (double share : {0.25, 0.5, 0.75}) {
        points.belowHz.push_back(share * kMinimaxBandBottomHz);
    }
    // DC and three points below the band, Nyquist and three above it.
    constexpr int kGuardsPerSide = 4;
    for (int k = 0; k < kGuardsPerSide; ++k) {
        const double share = static_cast<double>(k) / kGuardsPerSide;
        points.guardAbscissae.push_back(s.Abscissa(share * kMinimaxBandBottomHz));
        points.guardAbscissae.push_back(s.Abscissa(nyquist - share * (nyquist - s.top)));
    }
    return points;
}

// The dense grids a fit is checked on.
struct CheckPoints {
    explicit CheckPoints(const Setup& s) {
        band = PeakSearchGrid(kMinimaxBandBottomHz, s.top);
        const double nyquist = 0.5 * s.fs;
        for (int k = 1; k <= kAboveBandCheckPoints; ++k) {
            above.push_back(s.top + (nyquist - s.top) * k / kAboveBandCheckPoints);
        }
        if (s.dcZeros == 0) below.push_back(0.0);
        for (double f :
             LogGrid(kBelowBandCheckLowHz, kMinimaxBandBottomHz, kBelowBandCheckPointsPerDecade)) {
            if (f < kMinimaxBandBottomHz) below.push_back(f);
        }
        grid = MakeGrid(s, {band, above, below, {}}, 1);
    }

    std::vector<double> band;
    std::vector<double> above;
    std::vector<double> below;
    CascadeFitGrid grid;
};

// Indices of the local maxima of `values` above `floor`, at most `count` of them, the
// largest first. Near the rounding limit the deviation is noise with a peak every few
// points; only the largest are worth a point of the fit.
std::vector<std::size_t> Peaks(const std::vector<double>& values, double floor, std::size_t count) {
    std::vector<std::size_t> peaks;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const bool aboveLeft = i == 0 || values[i] >= values[i - 1];
        const bool aboveRight = i + 1 == values.size() || values[i] >= values[i + 1];
        if (aboveLeft && aboveRight && values[i] > floor) peaks.push_back(i);
    }
    std::stable_sort(peaks.begin(), peaks.end(),
                     [&](std::size_t a, std::size_t b) { return values[a] > values[b]; });
    if (peaks.size() > count) peaks.resize(count);
    return peaks;
}

// Adds the frequencies at `indices` that the list does not hold yet: a point twice
// over gives the optimiser two identical constraints, which its active set cannot take.
void AddFrequencies(std::vector<double>& list, const std::vector<double>& frequencies,
                    const std::vector<std::size_t>& indices) {
    for (std::size_t i : indices) {
        if (std::find(list.begin(), list.end(), frequencies[i]) == list.end()) {
            list.push_back(frequencies[i]);
        }
    }
}

// Where P or Q is least on the dense grids, if it is not positive there; else -1.
double NonPositiveAbscissa(const CascadeFitGrid& dense, const RationalFit2N& fit) {
    double where = -1.0;
    double lowest = 0.0;
    for (const auto* list :
         {&dense.abscissae, &dense.aboveBandAbscissae, &dense.belowBandAbscissae}) {
        for (double y : *list) {
            const double value = std::min(y > 0.0 || dense.dcZeros == 0 ? fit.numerator.At(y) : 1.0,
                                          fit.denominator.At(y));
            if (!(value > lowest)) {
                lowest = value;
                where = y;
            }
        }
    }
    return where;
}

// The fit the exchange ended with when it did not settle, if on the dense grids it is
// positive, keeps the out-of-band bounds as well as the start and follows the curve
// more closely; else the start, which the exchange may never make worse.
CheckedFit Unsettled(const CascadeFitGrid& dense, const RationalFit2N& start,
                     const RationalFit2N& fit, int sections) {
    const double startDeviation = LargestRatioDeviation(dense, start);
    const double deviation = LargestRatioDeviation(dense, fit);
    const bool keepsBounds =
        LargestBoundExcess(dense, fit) <=
        std::max(LargestBoundExcess(dense, start), 0.0) + kExchangeTolerance * deviation;
    if (NonPositiveAbscissa(dense, fit) < 0.0 && keepsBounds && deviation < startDeviation) {
        return {fit, sections, deviation};
    }
    return {start, sections, startDeviation};
}

CheckedFit Exchange(const Setup& s, const CheckPoints& dense, const RationalFit2N& start,
                    int sections, double tolerance) {
    RationalFit2N fit = start;
    CascadeFitGrid denseGrid = dense.grid;
    denseGrid.degree = 2 * sections;
    const FitPoints base = InitialPoints(s);
    FitPoints points = base;
    std::vector<double> previousPeaks;
    const std::size_t count = 2 * (4 * static_cast<std::size_t>(sections) + 1);
    for (int round = 0; round < kMaxExchangeRounds; ++round) {
        const CascadeFitGrid grid = MakeGrid(s, points, sections);
        const double before = LargestRatioDeviation(grid, fit);
        fit = FitCascadeMinimax(grid, fit);
        // The Remez iteration takes over as soon as the error has as many alternating
        // extremes as the optimum: it finds the optimum's last digits in a fraction
        // of the time. Not at the rounding floor, where the extremes are noise.
        const double coarse = LargestRatioDeviation(grid, fit);
        if (coarse > kRoundingFloor) {
            if (const auto polished = PolishByRemez(denseGrid, fit)) {
                return {*polished, sections, LargestRatioDeviation(denseGrid, *polished)};
            }
        }
        const double slack = std::max(tolerance * coarse, kNoiseFloor);

        std::vector<double> deviation;
        for (std::size_t i = 0; i < dense.band.size(); ++i) {
            const double ratio = fit.At(dense.grid.abscissae[i]) / dense.grid.targets[i];
            deviation.push_back(ratio > 0.0 ? std::max(ratio, 1.0 / ratio) - 1.0
                                            : std::numeric_limits<double>::infinity());
        }
        const double edge = fit.At(dense.grid.bandEdgeAbscissa);
        std::vector<double> above;
        for (double y : dense.grid.aboveBandAbscissae) above.push_back(fit.At(y) / edge - 1.0);
        std::vector<double> below;
        for (double y : dense.grid.belowBandAbscissae) {
            below.push_back(fit.At(y) / s.belowBandLimit - 1.0);
        }

        const double worst = *std::max_element(deviation.begin(), deviation.end());
        // Settled when the dense grid agrees and the optimiser, started from the last
        // round's fit, could not improve it any further on this grid.
        bool settled = (worst <= coarse + slack && coarse >= before * (1.0 - kLeastGain)) ||
                       worst <= kRoundingFloor;
        if (!settled) {
            // The grid's own points, the peaks found now and those of the round before:
            // a reference set that follows the error's extremes without growing.
            std::vector<double> peaks;
            AddFrequencies(peaks, dense.band, Peaks(deviation, 0.5 * worst, count));
            // Points closer together than kSeparation give the optimiser constraints
            // that are nearly the same, which its active set handles badly: a peak
            // replaces the older points next to it.
            std::vector<double> chosen = peaks;
            for (const std::vector<double>* list :
                 {static_cast<const std::vector<double>*>(&previousPeaks), &base.bandHz}) {
                for (double f : *list) {
                    const bool apart = std::all_of(chosen.begin(), chosen.end(), [&](double g) {
                        return std::abs(std::log(f / g)) > kSeparation;
                    });
                    if (apart) chosen.push_back(f);
                }
            }
            points.bandHz = std::move(chosen);
            previousPeaks = std::move(peaks);
        }
        for (const auto& [values, frequencies, list] :
             {std::tuple(&above, &dense.above, &points.aboveHz),
              std::tuple(&below, &dense.below, &points.belowHz)}) {
            const auto peaks = Peaks(*values, slack, count);
            settled = settled && peaks.empty();
            AddFrequencies(*list, *frequencies, peaks);
        }
        const double nonPositive = NonPositiveAbscissa(dense.grid, fit);
        if (nonPositive >= 0.0) {
            settled = false;
            points.guardAbscissae.push_back(nonPositive);
        }
        if (settled) {
            return {fit, sections, worst};
        }
    }
    return Unsettled(denseGrid, start, fit, sections);
}

// The constrained fit with the exchange, its last digits from the Remez iteration;
// where that is refused (an out-of-band bound is active, or the fit is degenerate),
// the constrained fit carries on to the end.
CheckedFit FitWithExchange(const Setup& s, const CheckPoints& dense, const RationalFit2N& start,
                           int sections) {
    return Exchange(s, dense, start, sections, kExchangeTolerance);
}

}  // namespace

struct CascadeFitSequence::Grids {
    Grids(const AnalogueCurve& curve, double samplingFrequency)
        : setup(curve, samplingFrequency), dense(setup) {}

    Setup setup;
    CheckPoints dense;
};

CascadeFitSequence::CascadeFitSequence(const AnalogueCurve& playbackCurve, double samplingFrequency,
                                       const RationalFit2N* leastFit)
    : grids_(std::make_unique<const Grids>(playbackCurve, samplingFrequency)),
      leastFit_(leastFit),
      next_(MinimumCascadeSections(playbackCurve)) {}

CascadeFitSequence::~CascadeFitSequence() = default;

const CheckedFit& CascadeFitSequence::Next() {
    const Setup& setup = grids_->setup;
    const CheckPoints& dense = grids_->dense;
    if (fits_.empty() && leastFit_ != nullptr) {
        fits_.push_back({*leastFit_, next_, LargestRatioDeviation(dense.grid, *leastFit_)});
    } else {
        const RationalFit2N start = fits_.empty() ? setup.warped : fits_.back().fit;
        fits_.push_back(FitWithExchange(setup, dense, start, next_));
    }
    ++next_;
    return fits_.back();
}

const CheckedFit& CascadeFitSequence::UpTo(int sections) {
    while (next_ <= sections) Next();
    return fits_.back();
}

RationalFit2N RationalFitOfBiquad(const double (&numerator)[3], const double (&denominator)[3],
                                  double samplingFrequency) {
    const double y = SquaredMagnitudeAbscissa(kCascadeReferenceHz, samplingFrequency);
    const auto polynomial = [&](const double(&b)[3]) {
        const SquaredMagnitude q = SquaredMagnitudeOfPolynomial(b);
        return NormalisedAt({{q.c[0], q.c[1], q.c[2]}}, y);
    };
    return {polynomial(numerator), polynomial(denominator)};
}
