#pragma once
// The curve a user asks for, as text: a name from the table of named curves, a list of
// time constants, or the turnover and roll-off that record collectors quote.
//
//   riaa, aes-1951, tape-nab, ...        a named curve (vorlexi-calc --list-curves)
//   custom:3180u,318u,75u                time constants in seconds, SI prefixes allowed
//   custom:p:7950u,z:inf,3180u,318u,75u  explicit pole (p:) and zero (z:) markers
//   turnover:500,shelf:50,rolloff:13.7   Hz, Hz, and dB at 10 kHz
//   turnover:300,treble:3000             the treble pole by its corner in Hz instead
//
// Time constants: entries without a marker alternate pole, zero, pole, ... from the
// first (a pole) or from the last marked entry, the order in which curves are quoted
// (3180/318/75 µs). "inf" stands for an infinite time constant: a pole or zero at DC
// (a factor jωτ, τ taken from the nearest finite entry before it, or after it when
// none comes before). A trailing "s" is allowed ("318us"), and µ for u.
//
// Turnover: the turnover frequency is a zero (where the bass boost ends), the optional
// shelf a pole (the boost's low-frequency limit; without it the boost runs on to DC, a
// pole at DC), and the roll-off, the treble pole's attenuation at 10 kHz in dB (sign
// ignored, 0 or left out for a flat treble), the pole τ with 10·log10(1 + (2π·10 kHz·τ)²)
// equal to it; or treble:HZ, that pole's corner frequency, as most tables quote it (one of
// the two, never both). "Hz" and "dB" may follow the figures.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "curves/analogue_curve.h"
#include "curves/named_curves.h"

// A curve with the name and the words it goes by.
struct ChosenCurve {
    AnalogueCurve curve;
    std::string name;         // the row's name, or the entry as typed
    std::string description;  // the row's description, or the curve in words
};

// The curve an entry gives, or which entry is wrong and why.
using CurveReading = Result<ChosenCurve>;

// Every accepted curve is realisable: no more zeros than poles, every τ finite and
// between kShortestCurveTau and kLongestCurveTau, not both a pole and a zero at DC.
inline constexpr double kShortestCurveTau = 1e-9;  // a corner at 159 MHz
inline constexpr double kLongestCurveTau = 1e3;    // a corner at 0.16 mHz
// The named curves have up to five time constants; a list much longer than any curve
// needs is refused (each one more is a root more in every design and response).
inline constexpr std::size_t kMostCurveTimeConstants = 32;

CurveReading ReadCurveEntry(std::string_view text);

// The row's curve, named and described as the row is: what ReadCurveEntry gives for its name.
ChosenCurve ChosenNamedCurve(const NamedCurve& named);

// The RIAA curve, the first row and the default.
ChosenCurve ChosenRiaaCurve();

// The curve "turnover:T,shelf:S,rolloff:R" gives (without shelf: none), name and description
// included, for a front end that takes the figures as numbers; refused as that entry would be.
CurveReading TurnoverCurveReading(double turnoverHz, std::optional<double> shelfHz,
                                  double rollOffDbAt10kHz);
