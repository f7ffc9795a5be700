// Any text as a curve entry (--curve): it is read or refused with a reason, never a
// fault, and what is read keeps the reader's promises and designs in both directions.

#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "curves/curve_entry.h"
#include "designs/make_design.h"
#include "response/frequency_response.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void RequireUsableTaus(const std::vector<double>& taus) {
    for (const double tau : taus) {
        Require(std::isfinite(tau) && tau >= kShortestCurveTau && tau <= kLongestCurveTau);
    }
}

bool FiniteCoefficients(const Cascade& cascade) {
    for (const BiquadSection& s : cascade.sections) {
        for (const double c : {s.b0, s.b1, s.b2, s.a1, s.a2}) {
            if (!std::isfinite(c)) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CurveReading reading = ReadCurveEntry(text);
    if (!reading.ok()) {
        Require(!reading.error().empty());
        return 0;
    }
    const AnalogueCurve& curve = reading->curve;
    RequireUsableTaus(curve.zeroTaus);
    RequireUsableTaus(curve.poleTaus);
    RequireUsableTaus(curve.dcZeroTaus);
    RequireUsableTaus(curve.dcPoleTaus);
    const std::size_t zeros = curve.zeroTaus.size() + curve.dcZeroTaus.size();
    const std::size_t poles = curve.poleTaus.size() + curve.dcPoleTaus.size();
    Require(zeros <= poles);
    Require(poles > 0 && zeros + poles <= kMostCurveTimeConstants);
    Require(curve.dcZeroTaus.empty() || curve.dcPoleTaus.empty());
    Require(std::isfinite(std::abs(AnalogueResponse(curve, 1000.0))));

    // Playback and recording, gain 1 at 1 kHz (the one reference every curve allows).
    for (const Direction direction : {Direction::Playback, Direction::Recording}) {
        DesignRequest request;
        request.curve = reading;
        request.samplingFrequency = 48000.0;
        request.gainReference = GainReference::OneKilohertz;
        request.direction = direction;
        const Result<Design> matched = MakeDesign(request);
        Require(matched.ok());
        Require(!matched->cascade.sections.empty());
        Require(FiniteCoefficients(matched->cascade));
        const double gain = std::abs(CascadeResponse(matched->cascade, 48000.0, 1000.0));
        Require(std::fabs(gain - 1.0) < 1e-9);
    }
    return 0;
}
