#include "designs/detail/matched_curve_design.h"

#include <cmath>
#include <complex>
#include <stdexcept>
#include <vector>

#include "curves/riaa_curve.h"
#include "designs/detail/section_pairing.h"
#include "response/frequency_response.h"

namespace {

// z = exp(-1/(fs·τ)), each step rounded to double in this order, as the RIAA design
// rounds it.
std::complex<double> MatchedRoot(double samplingFrequency, double tau) {
    const double product = samplingFrequency * tau;
    const double exponent = -1.0 / product;
    return std::exp(exponent);
}

std::vector<std::complex<double>> MatchedRoots(double samplingFrequency,
                                               const std::vector<double>& taus, int atDc) {
    std::vector<std::complex<double>> roots;
    for (double tau : taus) roots.push_back(MatchedRoot(samplingFrequency, tau));
    roots.insert(roots.end(), static_cast<std::size_t>(atDc), 1.0);
    return roots;
}

// The gain at DC of each section is its coefficient sums' ratio; the scale factor goes
// into the first numerator as the RIAA design puts it into its one numerator.
void ScaleAtDc(Cascade& cascade, double gain) {
    double dcGain = 1.0;
    for (const BiquadSection& s : cascade.sections) {
        const double numeratorSum = s.b0 + s.b1 + s.b2;
        const double denominatorSum = 1.0 + s.a1 + s.a2;
        dcGain *= numeratorSum / denominatorSum;
    }
    BiquadSection& first = cascade.sections.front();
    for (double* b : {&first.b0, &first.b1, &first.b2}) *b = (gain / dcGain) * *b;
}

void ScaleAt1k(Cascade& cascade, double samplingFrequency, double gain) {
    const double magnitude =
        std::abs(CascadeResponse(cascade, samplingFrequency, kRiaaReferenceHz));
    BiquadSection& first = cascade.sections.front();
    for (double* b : {&first.b0, &first.b1, &first.b2}) *b = (gain / magnitude) * *b;
}

}  // namespace

MatchedCascade DesignMatchedCascade(const AnalogueCurve& playbackCurve, double samplingFrequency,
                                    double gain, GainReference gainReference, bool inverse) {
    if (!std::isfinite(samplingFrequency) || samplingFrequency <= 0.0) {
        throw std::invalid_argument("the sampling frequency must be a positive number");
    }
    if (!std::isfinite(gain)) {
        throw std::invalid_argument("the gain must be a finite number");
    }
    const AnalogueCurve curve = inverse ? ReciprocalCurve(playbackCurve) : playbackCurve;
    const int netZerosAtDc = NetZerosAtDc(curve);
    const auto zeros = MatchedRoots(samplingFrequency, curve.zeroTaus, std::max(netZerosAtDc, 0));
    const auto poles = MatchedRoots(samplingFrequency, curve.poleTaus, std::max(-netZerosAtDc, 0));

    MatchedCascade result;
    result.cascade = zeros.empty() && poles.empty() ? Cascade{{BiquadSection{}}}
                                                    : SectionsFromRoots(zeros, poles);
    result.gainReference = netZerosAtDc == 0 ? gainReference : GainReference::OneKilohertz;
    if (result.gainReference == GainReference::Dc) {
        ScaleAtDc(result.cascade, gain);
        return result;
    }
    if (samplingFrequency <= 2.0 * kRiaaReferenceHz) {
        throw std::invalid_argument("scaling at 1 kHz needs a sampling frequency above 2 kHz");
    }
    ScaleAt1k(result.cascade, samplingFrequency, gain);
    return result;
}
