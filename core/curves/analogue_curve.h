#pragma once
// An analogue equalisation curve as its time constants: the form every target of a
// digital design takes (the RIAA curve, its variants, and the historical curves).
//
//   H(jω) = Π(jω·τ) · Π(1 + jω·τ)  /  Π(jω·τ) · Π(1 + jω·τ)
//           zeros at DC  zeros        poles at DC  poles
//
// A zero at DC (jωτ, as in the 7950 µs high-pass of the IEC playback curve) makes the
// gain at DC zero; such a curve can only be normalised at 1 kHz.

#include <complex>
#include <vector>

struct AnalogueCurve {
    std::vector<double> zeroTaus;    // seconds, each a factor (1 + jωτ) above the line
    std::vector<double> poleTaus;    // seconds, each a factor (1 + jωτ) below it
    std::vector<double> dcZeroTaus;  // seconds, each a factor jωτ above the line
    std::vector<double> dcPoleTaus;  // seconds, each a factor jωτ below it
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
