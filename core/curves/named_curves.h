#pragma once
// The equalisation curves vorlexi knows by name: RIAA and its variants, the disc curves
// of 78s and early LPs, the CD and FM emphasis curves and the tape replay curves. Each
// row gives its time constants in playback (replay) and what each one does there.

#include <span>
#include <string_view>

#include "curves/analogue_curve.h"

// What a time constant does in the playback curve, and so whether it is a pole or a zero.
enum class CurveRole {
    // Pole: the low-frequency limit of the bass boost (RIAA's 3180 µs, 50 Hz); in tape
    // replay the bass time constant.
    BassShelf,
    // Pole at DC: a bass boost with no lower limit (constant amplitude down to DC). Its τ
    // is the turnover's, so the curve is 0 dB above the turnover.
    BassToDc,
    // Zero: where the bass boost ends (RIAA's 318 µs, 500 Hz); in tape replay the treble
    // time constant, where the replay integration levels off.
    Turnover,
    // Pole: the treble roll-off (RIAA's 75 µs, 2122 Hz; the emphasis curves' only pole).
    TrebleRollOff,
    // Zero: where a treble roll-off levels off (the 3.18 µs zero, the CD's 15 µs).
    TrebleShelf,
    // A zero at DC and a pole of the same τ: a first-order high-pass (the 7950 µs of the
    // IEC amendment to the RIAA curve).
    HighPass,
};

struct CurveConstant {
    CurveRole role;
    double tau;  // seconds
};

struct NamedCurve {
    std::string_view name;  // lower case, as typed after --curve
    std::string_view description;
    std::span<const CurveConstant> constants;  // longest first
};

// Every named curve; the first is RIAA, the default.
std::span<const NamedCurve> NamedCurves();

// The row of that name (ASCII case ignored), or nullptr.
const NamedCurve* FindNamedCurve(std::string_view name);

// The row's playback curve: each constant as the factor its role gives it, in row order.
AnalogueCurve CurveOf(const NamedCurve& curve);
