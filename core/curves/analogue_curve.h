#pragma once
// An analogue equalisation curve as its time constants: the form every target of a
// digital design takes (the RIAA curve, its variants, and the historical curves).
//
//   H(jω) = Π(jω·τ) · Π(1 + jω·τ)  /  Π(jω·τ) · Π(1 + jω·τ)
//           zeros at DC  zeros        poles at DC  poles
//
// A zero at DC (jωτ, as in the 7950 µs high-pass of the IEC playback curve) makes the
// gain at DC zero; such a curve can only be normalised at 1 kHz.
//
// A target may also hold second-order factors (1 + jωτ/Q − (ωτ)²), whose roots are
// complex: the poles of a Butterworth high-pass joined to the curve (the rumble filter).
// Curves as read and as designed from hold time constants only; the designs ignore
// these factors, which only the measurement of a design against its target reads.

#include <complex>
#include <vector>

// 1 + jωτ/Q − (ωτ)²: a pair of complex roots of magnitude 1/τ.
struct QuadraticFactor {
    double tau;  // seconds
    double q;    // > 1/2 for complex roots
};

struct AnalogueCurve {
    std::vector<double> zeroTaus;    // seconds, each a factor (1 + jωτ) above the line
    std::vector<double> poleTaus;    // seconds, each a factor (1 + jωτ) below it
    std::vector<double> dcZeroTaus;  // seconds, each a factor jωτ above the line
    std::vector<double> dcPoleTaus;  // seconds, each a factor jωτ below it
    std::vector<QuadraticFactor> quadraticZeros{};  // above the line
    std::vector<QuadraticFactor> quadraticPoles{};  // below it
};

// H(j·2πf). The factors multiply in the order they are listed.
std::complex<double> AnalogueResponse(const AnalogueCurve& curve, double frequencyHz);

// |H| in dB relative to its value at 1 kHz.
double AnalogueGainDbRe1k(const AnalogueCurve& curve, double frequencyHz);

// The reciprocal curve (zeros and poles swapped): the recording curve of a playback one.
AnalogueCurve ReciprocalCurve(const AnalogueCurve& curve);

// Zeros at DC less poles at DC: positive when the gain at DC is zero, negative when it
// is infinite.
int NetZerosAtDc(const AnalogueCurve& curve);

// The number of sections the curve needs at least: half its larger number of
// factors (zeros at DC included), rounded up.
int MinimumCascadeSections(const AnalogueCurve& playbackCurve);
