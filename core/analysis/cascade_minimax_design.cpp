#include "cascade_minimax_design.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "cascade_exchange.h"
#include "decibels.h"
#include "frequency_response.h"
#include "polynomial_roots.h"
#include "response_comparison.h"
#include "riaa_prototype.h"
#include "section_pairing.h"
#include "squared_magnitude.h"

namespace {

constexpr double kReferenceHz = kCascadeReferenceHz;
constexpr int kCheckPointsPerDecade = 1000;

// A value for a message, the same in every locale.
std::string NumberText(double value) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 10).ptr;
    return std::string(text, end);
}

// The z-plane roots of a squared magnitude, each inside (or, for a zero at DC, on) the
// unit circle.
std::vector<std::complex<double>> MinimumPhaseRootsOf(const PolynomialInY& p) {
    std::vector<std::complex<double>> roots;
    for (const std::complex<double>& y : PolynomialRoots(p.c)) {
        roots.push_back(y == std::complex<double>(0.0, 0.0) ? std::complex<double>(1.0, 0.0)
                                                            : RootOfAbscissa(y));
    }
    return roots;
}

Cascade SectionsOf(const RationalFit2N& fit) {
    return SectionsFromRoots(MinimumPhaseRootsOf(fit.numerator),
                             MinimumPhaseRootsOf(fit.denominator));
}

// Every section but the first 0 dB at 1 kHz; the first carries the gain, at DC or
// at 1 kHz. Monic sections follow the curve's polarity, so the gain's sign is kept.
Cascade WithGain(Cascade cascade, const CascadeRequest& request) {
    const double fs = request.samplingFrequency;
    for (std::size_t k = 1; k < cascade.sections.size(); ++k) {
        BiquadSection& s = cascade.sections[k];
        const double scale = 1.0 / std::abs(SectionResponse(s, fs, kReferenceHz));
        s.b0 *= scale;
        s.b1 *= scale;
        s.b2 *= scale;
    }
    const double response = request.gainReference == GainReference::Dc
                                ? CascadeResponse(cascade, fs, 0.0).real()
                                : std::abs(CascadeResponse(cascade, fs, kReferenceHz));
    const double scale = request.gain / response;
    BiquadSection& first = cascade.sections.front();
    first.b0 *= scale;
    first.b1 *= scale;
    first.b2 *= scale;
    return cascade;
}

void Validate(const AnalogueCurve& curve, const CascadeRequest& request, int sections) {
    const double fs = request.samplingFrequency;
    if (!(fs >= kMinimaxLowestSamplingFrequency && fs <= kMinimaxHighestSamplingFrequency)) {
        throw std::invalid_argument("the minimax design needs a sampling frequency from " +
                                    NumberText(kMinimaxLowestSamplingFrequency) + " Hz to " +
                                    NumberText(kMinimaxHighestSamplingFrequency / 1e6) +
                                    " MHz, not " + NumberText(fs) + " Hz");
    }
    if (!std::isfinite(request.gain)) {
        throw std::invalid_argument("the minimax design needs a finite gain, not " +
                                    NumberText(request.gain));
    }
    const int least = MinimumCascadeSections(curve);
    if (sections < least || sections > kMaxCascadeSections) {
        throw std::invalid_argument("this curve takes from " + std::to_string(least) + " to " +
                                    std::to_string(kMaxCascadeSections) + " sections, not " +
                                    std::to_string(sections));
    }
    const int dcZeros = NetZerosAtDc(curve);
    if (dcZeros < 0) {
        throw std::invalid_argument("a curve with a pole at DC has no stable filter");
    }
    if (dcZeros > 0 && request.inverse) {
        throw std::invalid_argument(
            "the inverse of a curve with a zero at DC has a pole at DC and no stable filter");
    }
    if (dcZeros > 0 && request.gainReference == GainReference::Dc) {
        throw std::invalid_argument(
            "a curve with a zero at DC has no gain at DC to scale: scale it at 1 kHz");
    }
}

// The largest |dB deviation| of the cascade over the design band, on the dense grid.
DeviationPeak DenseDeviation(const Cascade& cascade, const AnalogueCurve& playback,
                             const CascadeRequest& request) {
    const double fs = request.samplingFrequency;
    const double sign = request.inverse ? -1.0 : 1.0;
    const double reference = GainDb(CascadeResponse(cascade, fs, kReferenceHz));
    DeviationPeak peak{0.0, kMinimaxBandBottomHz};
    for (double f : LogGrid(kMinimaxBandBottomHz, MinimaxBandTopHz(fs), kCheckPointsPerDecade)) {
        const double deviation = GainDb(CascadeResponse(cascade, fs, f)) - reference -
                                 sign * AnalogueGainDbRe1k(playback, f);
        if (!(std::abs(deviation) <= std::abs(peak.deviationDb))) {
            peak = {deviation, f};
        }
    }
    return peak;
}

MinimaxCascade Finished(Cascade cascade, const AnalogueCurve& playback,
                        const CascadeRequest& request) {
    const DeviationPeak peak = DenseDeviation(cascade, playback, request);
    return {std::move(cascade), std::abs(peak.deviationDb), peak.frequencyHz};
}

MinimaxCascade CascadeOf(const AnalogueCurve& playback, const CheckedFit& fit,
                         const CascadeRequest& request) {
    Cascade cascade = SectionsOf(fit.fit);
    if (request.inverse) {
        cascade = OrderedByPoleRadius(ReciprocalCascade(cascade));
    }
    return Finished(WithGain(std::move(cascade), request), playback, request);
}

// Today's one-biquad minimax design as a cascade, bit for bit.
MinimaxCascade SingleBiquad(double extraZero, const AnalogueCurve& playback,
                            const CascadeRequest& request) {
    const RiaaCoefficients single =
        ComputeMinimaxRiaaCoefficients(request.samplingFrequency, request.gain, extraZero,
                                       request.inverse ? 1 : 0, request.gainReference);
    return Finished(CascadeFromCoefficients(single), playback, request);
}

// The one-biquad design's squared magnitudes: the start of the two-section fit.
RationalFit2N SingleBiquadFit(double samplingFrequency, double extraZero) {
    const RiaaCoefficients single =
        ComputeMinimaxRiaaCoefficients(samplingFrequency, 1.0, extraZero, 0);
    return RationalFitOfBiquad(single.num, single.den, samplingFrequency);
}

void ValidateTolerance(const AnalogueCurve& curve, const CascadeRequest& request,
                       double toleranceDb) {
    if (!(toleranceDb > 0.0) || !std::isfinite(toleranceDb)) {
        throw std::invalid_argument("a tolerance must be a positive number of dB, not " +
                                    NumberText(toleranceDb));
    }
    Validate(curve, request, kMaxCascadeSections);
}

// The first design from order `least` up whose deviation is within the tolerance.
template <class DesignOfOrder>
MinimaxCascade SmallestWithin(double toleranceDb, int least, DesignOfOrder designOfOrder) {
    MinimaxCascade best;
    best.maxDeviationDb = std::numeric_limits<double>::infinity();
    for (int sections = least; sections <= kMaxCascadeSections; ++sections) {
        MinimaxCascade design = designOfOrder(sections);
        if (design.maxDeviationDb <= toleranceDb) return design;
        if (design.maxDeviationDb < best.maxDeviationDb) best = std::move(design);
    }
    throw UnreachableTolerance(toleranceDb, best.maxDeviationDb,
                               static_cast<int>(best.cascade.sections.size()));
}

}  // namespace

int MinimumCascadeSections(const AnalogueCurve& curve) {
    const std::size_t zeros = curve.zeroTaus.size() + curve.dcZeroTaus.size();
    const std::size_t poles = curve.poleTaus.size() + curve.dcPoleTaus.size();
    return std::max(1, static_cast<int>((std::max(zeros, poles) + 1) / 2));
}

MinimaxCascade DesignMinimaxCascade(const AnalogueCurve& playbackCurve,
                                    const CascadeRequest& request, int sections) {
    Validate(playbackCurve, request, sections);
    CascadeFitSequence fits(playbackCurve, request.samplingFrequency);
    return CascadeOf(playbackCurve, fits.UpTo(sections), request);
}

MinimaxCascade DesignMinimaxRiaaCascade(double extraZero, const CascadeRequest& request,
                                        int sections) {
    const AnalogueCurve playback = RiaaCurve({extraZero, 0});
    Validate(playback, request, sections);
    if (sections == 1) {
        return SingleBiquad(extraZero, playback, request);
    }
    const RationalFit2N single = SingleBiquadFit(request.samplingFrequency, extraZero);
    CascadeFitSequence fits(playback, request.samplingFrequency, &single);
    return CascadeOf(playback, fits.UpTo(sections), request);
}

UnreachableTolerance::UnreachableTolerance(double toleranceDb, double bestDeviationDb,
                                           int bestSections)
    : std::invalid_argument("no cascade of up to " + std::to_string(kMaxCascadeSections) +
                            " sections comes within " + NumberText(toleranceDb) +
                            " dB of the curve; the best, " + std::to_string(bestSections) +
                            " sections, is " + NumberText(bestDeviationDb) + " dB off"),
      bestDeviationDb_(bestDeviationDb),
      bestSections_(bestSections) {}

MinimaxCascade DesignMinimaxCascadeWithin(const AnalogueCurve& playbackCurve,
                                          const CascadeRequest& request, double toleranceDb) {
    ValidateTolerance(playbackCurve, request, toleranceDb);
    CascadeFitSequence fits(playbackCurve, request.samplingFrequency);
    return SmallestWithin(toleranceDb, fits.NextOrder(),
                          [&](int) { return CascadeOf(playbackCurve, fits.Next(), request); });
}

MinimaxCascade DesignMinimaxRiaaCascadeWithin(double extraZero, const CascadeRequest& request,
                                              double toleranceDb) {
    const AnalogueCurve playback = RiaaCurve({extraZero, 0});
    ValidateTolerance(playback, request, toleranceDb);
    const RationalFit2N single = SingleBiquadFit(request.samplingFrequency, extraZero);
    CascadeFitSequence fits(playback, request.samplingFrequency, &single);
    return SmallestWithin(toleranceDb, 1, [&](int sections) {
        const CheckedFit& fit = fits.Next();
        return sections == 1 ? SingleBiquad(extraZero, playback, request)
                             : CascadeOf(playback, fit, request);
    });
}
