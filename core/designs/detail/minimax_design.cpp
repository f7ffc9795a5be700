#include "designs/detail/minimax_design.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/number_text.h"
#include "curves/riaa_curve.h"
#include "curves/riaa_prototype.h"
#include "designs/detail/record_response.h"
#include "designs/riaa_record.h"
#include "fit/minimax_fit.h"
#include "fit/squared_magnitude.h"
#include "response/frequency_response.h"
#include "response/response_comparison.h"

namespace {

// The grid the optimiser sees, and the far denser one its result is checked on.
constexpr int kFitPointsPerDecade = 10;
constexpr int kCheckPointsPerDecade = 1000;
constexpr int kMaxExchangeRounds = 8;
// Another round when the dense grid finds a deviation this much (relative) above
// what the optimiser saw on its own grid.
constexpr double kExchangeTolerance = 1e-4;

// The squared gain of the playback curve, 1 at 1 kHz.
class Target {
public:
    explicit Target(double extraZero)
        : prototype_{extraZero, 0},
          reference_(std::norm(PrototypeResponse(prototype_, kRiaaReferenceHz))) {}

    double SquaredGainAt(double frequencyHz) const {
        return std::norm(PrototypeResponse(prototype_, frequencyHz)) / reference_;
    }

private:
    RiaaPrototype prototype_;
    double reference_;
};

FitGrid MakeGrid(const std::vector<double>& frequencies, const Target& target, double fs) {
    FitGrid grid;
    grid.referenceAbscissa = SquaredMagnitudeAbscissa(kRiaaReferenceHz, fs);
    for (double f : frequencies) {
        grid.abscissae.push_back(SquaredMagnitudeAbscissa(f, fs));
        grid.targets.push_back(target.SquaredGainAt(f));
    }
    // DC and three points below the band, Nyquist and three points above it: nothing
    // is fitted there, but N and D must stay positive for their factors to exist.
    const double top = MinimaxBandTopHz(fs);
    constexpr int kGuardsPerSide = 4;
    for (int k = 0; k < kGuardsPerSide; ++k) {
        const double share = static_cast<double>(k) / kGuardsPerSide;
        grid.guardAbscissae.push_back(SquaredMagnitudeAbscissa(share * kMinimaxBandBottomHz, fs));
        grid.guardAbscissae.push_back(
            SquaredMagnitudeAbscissa(0.5 * fs - share * (0.5 * fs - top), fs));
    }
    return grid;
}

RationalFit NormalisedAtReference(RationalFit fit, double referenceAbscissa) {
    for (SquaredMagnitude* part : {&fit.numerator, &fit.denominator}) {
        const double value = part->At(referenceAbscissa);
        for (double& c : part->c) {
            c /= value;
        }
    }
    return fit;
}

// The matched z-transform's own roots.
RationalFit MatchedStart(double fs, double extraZero, double referenceAbscissa) {
    const RiaaCoefficients matched = ComputeRiaaCoefficients(fs, 1.0, extraZero, 0);
    return NormalisedAtReference(
        {SquaredMagnitudeOfPolynomial(matched.num), SquaredMagnitudeOfPolynomial(matched.den)},
        referenceAbscissa);
}

// Each analogue factor |1 + jωτ|² = 1 + (ωτ)² with ω replaced by 2·fs·sin(ω/2): exact
// at low frequencies, compressed towards Nyquist instead of folded.
SquaredMagnitude SineWarped(double fs, double tau1, double tau2) {
    const double alpha1 = 4.0 * fs * fs * tau1 * tau1;
    const double alpha2 = 4.0 * fs * fs * tau2 * tau2;
    return {{1.0, alpha1 + alpha2, alpha1 * alpha2}};
}

// Without an extra zero its time constant is 0, and its factor is 1.
RationalFit SineWarpedStart(double fs, double extraZero, double referenceAbscissa) {
    return NormalisedAtReference({SineWarped(fs, kZeroTau, ExtraZeroTau(extraZero)),
                                  SineWarped(fs, kLowPoleTau, kHighPoleTau)},
                                 referenceAbscissa);
}

// Frequencies where |deviation| on the dense grid has a local maximum.
std::vector<double> DeviationPeaks(const FitGrid& dense, const std::vector<double>& frequencies,
                                   const RationalFit& fit) {
    std::vector<double> magnitude(frequencies.size());
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        const double y = dense.abscissae[i];
        const double ratio = fit.numerator.At(y) / (dense.targets[i] * fit.denominator.At(y));
        magnitude[i] = std::abs(std::log(ratio));
    }
    std::vector<double> peaks;
    for (std::size_t i = 0; i < magnitude.size(); ++i) {
        const bool aboveLeft = i == 0 || magnitude[i] >= magnitude[i - 1];
        const bool aboveRight = i + 1 == magnitude.size() || magnitude[i] >= magnitude[i + 1];
        if (aboveLeft && aboveRight) {
            peaks.push_back(frequencies[i]);
        }
    }
    return peaks;
}

struct CheckedFit {
    RationalFit fit;
    double denseDeviation;
};

// Fits on the coarse grid, then checks on the dense one; where the dense grid finds
// a larger deviation, its peaks join the coarse grid and the fit runs again, as the
// Remez exchange does, until the two agree.
CheckedFit FitWithExchange(const RationalFit& start, std::vector<double> frequencies,
                           const Target& target, double fs, const FitGrid& dense,
                           const std::vector<double>& denseFrequencies) {
    RationalFit fit = start;
    double denseDeviation = LargestRatioDeviation(dense, fit);
    for (int round = 0; round < kMaxExchangeRounds; ++round) {
        const FitGrid grid = MakeGrid(frequencies, target, fs);
        fit = FitMinimax(grid, fit);
        denseDeviation = LargestRatioDeviation(dense, fit);
        if (denseDeviation <= LargestRatioDeviation(grid, fit) * (1.0 + kExchangeTolerance)) {
            break;
        }
        for (double f : DeviationPeaks(dense, denseFrequencies, fit)) {
            frequencies.push_back(f);
        }
    }
    return {fit, denseDeviation};
}

// A value for a message: up to ten significant digits, without an exponent for any
// sampling rate a user would type.
std::string NumberText(double value) { return FormatSignificant(value, 10); }

void Validate(double samplingFrequency, double gain) {
    if (!(samplingFrequency >= kMinimaxLowestSamplingFrequency &&
          samplingFrequency <= kMinimaxHighestSamplingFrequency)) {
        throw std::invalid_argument("the minimax design needs a sampling frequency from " +
                                    NumberText(kMinimaxLowestSamplingFrequency) + " Hz to " +
                                    NumberText(kMinimaxHighestSamplingFrequency / 1e6) +
                                    " MHz, not " + NumberText(samplingFrequency) + " Hz");
    }
    if (!std::isfinite(gain)) {
        throw std::invalid_argument("the minimax design needs a finite gain, not " +
                                    NumberText(gain));
    }
}

}  // namespace

RiaaCoefficients ComputeMinimaxRiaaCoefficients(double samplingFrequency, double gain,
                                                double extraZero, std::int32_t inverse,
                                                GainReference gainReference) {
    Validate(samplingFrequency, gain);
    const double fs = samplingFrequency;
    const double top = MinimaxBandTopHz(fs);
    const Target target(extraZero);
    const std::vector<double> fitFrequencies =
        LogGrid(kMinimaxBandBottomHz, top, kFitPointsPerDecade);
    const std::vector<double> denseFrequencies =
        LogGrid(kMinimaxBandBottomHz, top, kCheckPointsPerDecade);
    const FitGrid dense = MakeGrid(denseFrequencies, target, fs);

    // Two unlike starts; the grid problem has no local optimum but the global one, so
    // both should arrive at the same fit, and the better one is kept if they do not.
    const RationalFit starts[] = {MatchedStart(fs, extraZero, dense.referenceAbscissa),
                                  SineWarpedStart(fs, extraZero, dense.referenceAbscissa)};
    CheckedFit best{starts[0], LargestRatioDeviation(dense, starts[0])};
    for (const RationalFit& start : starts) {
        const CheckedFit candidate =
            FitWithExchange(start, fitFrequencies, target, fs, dense, denseFrequencies);
        if (candidate.denseDeviation < best.denseDeviation) {
            best = candidate;
        }
    }

    RiaaCoefficients result{};
    result.numCount = 3;
    result.denCount = 3;
    const auto zeros = MinimumPhaseFactor(best.fit.numerator);
    const auto poles = MinimumPhaseFactor(best.fit.denominator);
    const auto& numerator = inverse != 0 ? poles : zeros;
    const auto& denominator = inverse != 0 ? zeros : poles;
    std::copy(numerator.begin(), numerator.end(), result.num);
    std::copy(denominator.begin(), denominator.end(), result.den);

    ScaleToGainAtDc(result, gain);
    if (gainReference == GainReference::OneKilohertz) {
        result = ScaleGainAt(result, fs, kRiaaReferenceHz, gain);
    }
    return result;
}
