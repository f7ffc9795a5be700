#include "designs/detail/cascade_minimax_design.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "base/decibels.h"
#include "base/number_text.h"
#include "curves/riaa_prototype.h"
#include "designs/detail/cascade_exchange.h"
#include "designs/detail/section_pairing.h"
#include "designs/riaa_record.h"
#include "fit/polynomial_roots.h"
#include "fit/squared_magnitude.h"
#include "response/frequency_response.h"
#include "response/response_comparison.h"
#include "response/root_radius.h"

namespace {

constexpr double kReferenceHz = kCascadeReferenceHz;

// A value for a message, the same in every locale.
std::string NumberText(double value) { return FormatSignificant(value, 10); }

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

// `playback` is the curve a design is measured against: the one fitted, or for a curve
// designed through stand-ins (curve_minimax_design.h) the curve itself.
MinimaxCascade Finished(Cascade cascade, const AnalogueCurve& playback,
                        const CascadeRequest& request) {
    const double fs = request.samplingFrequency;
    const DesignUnderTest design{cascade, fs,
                                 request.inverse ? ReciprocalCurve(playback) : playback};
    const DeviationPeak peak = MaxDeviation(design, kMinimaxBandBottomHz, MinimaxBandTopHz(fs));
    const double deviation = std::abs(peak.deviationDb);
    // A cascade with a root on or outside the unit circle is no design: worse than any.
    const bool inside =
        std::all_of(cascade.sections.begin(), cascade.sections.end(), [](const BiquadSection& s) {
            return LargestRootRadius(1.0, s.a1, s.a2) < 1.0 &&
                   LargestRootRadius(s.b0, s.b1, s.b2) <= 1.0 + 1e-9;
        });
    return {
        std::move(cascade),
        inside && std::isfinite(deviation) ? deviation : std::numeric_limits<double>::infinity(),
        peak.frequencyHz};
}

MinimaxCascade CascadeOf(const AnalogueCurve& playback, const CheckedFit& fit,
                         const CascadeRequest& request) {
    Cascade cascade = SectionsOf(fit.fit);
    if (request.inverse) {
        cascade = OrderedByPoleRadius(ReciprocalCascade(cascade));
    }
    return Finished(WithGain(std::move(cascade), request), playback, request);
}

// The best design of up to so many sections seen so far. An optimum of N sections is at
// least as good as the one of N - 1 with a section that passes the signal unchanged,
// so a fit of N sections that comes out worse has failed: the better design of fewer
// sections stands in for it, padded with such sections (put first, where the gain
// goes, so that the first section is a plain gain).
class BestOfOrders {
public:
    void Offer(MinimaxCascade design) {
        if (!best_ || design.maxDeviationDb < best_->maxDeviationDb) best_ = std::move(design);
    }

    MinimaxCascade Padded(int sections, const AnalogueCurve& playback,
                          const CascadeRequest& request) const {
        if (static_cast<int>(best_->cascade.sections.size()) >= sections) return *best_;
        Cascade cascade = best_->cascade;
        cascade.sections.insert(cascade.sections.begin(),
                                static_cast<std::size_t>(sections) - cascade.sections.size(),
                                BiquadSection{});
        return Finished(WithGain(std::move(cascade), request), playback, request);
    }

private:
    std::optional<MinimaxCascade> best_;
};

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

// The design of `sections` sections: the best of the orders the sequence reaches up to
// it, measured against `measured`; `firstOrder` makes the design of the least order.
// With `rankByFit` (the curve measured is the one fitted) the fits' own deviations on
// the dense grid rank the orders, the most sections first among equals, and only the
// design chosen is measured (a measurement costs as much as a round of the fit); one
// that fails it (a root on the unit circle) gives way to the next.
template <class FirstOrder>
MinimaxCascade BestUpTo(CascadeFitSequence& fits, const AnalogueCurve& measured, bool rankByFit,
                        const CascadeRequest& request, int sections, FirstOrder firstOrder) {
    std::vector<CheckedFit> orders;
    while (fits.NextOrder() <= sections) orders.push_back(fits.Next());
    const auto designOf = [&](std::size_t k) {
        return k == 0 ? firstOrder(orders[0]) : CascadeOf(measured, orders[k], request);
    };
    std::vector<std::size_t> rank;
    for (std::size_t k = orders.size(); k-- > 0;) rank.push_back(k);
    if (rankByFit) {
        std::stable_sort(rank.begin(), rank.end(), [&](std::size_t a, std::size_t b) {
            return orders[a].denseDeviation < orders[b].denseDeviation;
        });
    }
    BestOfOrders best;
    for (std::size_t k : rank) {
        MinimaxCascade design = designOf(k);
        const bool measuredWell = std::isfinite(design.maxDeviationDb);
        best.Offer(std::move(design));
        if (rankByFit && measuredWell) break;
    }
    return best.Padded(sections, measured, request);
}

MinimaxCascade DesignMeasuredAgainst(const AnalogueCurve& fittedCurve,
                                     const AnalogueCurve& measuredCurve, bool rankByFit,
                                     const CascadeRequest& request, int sections) {
    Validate(fittedCurve, request, sections);
    CascadeFitSequence fits(fittedCurve, request.samplingFrequency);
    return BestUpTo(fits, measuredCurve, rankByFit, request, sections,
                    [&](const CheckedFit& fit) { return CascadeOf(measuredCurve, fit, request); });
}

}  // namespace

MinimaxCascade DesignMinimaxCascade(const AnalogueCurve& playbackCurve,
                                    const CascadeRequest& request, int sections) {
    return DesignMeasuredAgainst(playbackCurve, playbackCurve, true, request, sections);
}

MinimaxCascade DesignMinimaxCascadeMeasured(const AnalogueCurve& fittedCurve,
                                            const AnalogueCurve& measuredCurve,
                                            const CascadeRequest& request, int sections) {
    return DesignMeasuredAgainst(fittedCurve, measuredCurve, false, request, sections);
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
    return BestUpTo(fits, playback, true, request, sections,
                    [&](const CheckedFit&) { return SingleBiquad(extraZero, playback, request); });
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
    return DesignMinimaxCascadeWithinMeasured(playbackCurve, playbackCurve, request, toleranceDb);
}

MinimaxCascade DesignMinimaxCascadeWithinMeasured(const AnalogueCurve& fittedCurve,
                                                  const AnalogueCurve& measuredCurve,
                                                  const CascadeRequest& request,
                                                  double toleranceDb) {
    ValidateTolerance(fittedCurve, request, toleranceDb);
    CascadeFitSequence fits(fittedCurve, request.samplingFrequency);
    return SmallestWithin(toleranceDb, fits.NextOrder(),
                          [&](int) { return CascadeOf(measuredCurve, fits.Next(), request); });
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
