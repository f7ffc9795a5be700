#include "curves/named_curves.h"

#include <algorithm>
#include <array>

#include "base/ascii_case.h"
#include "curves/riaa_curve.h"

namespace {

using enum CurveRole;

// Disc curves. The standards give time constants; the collectors' tables (the Audacity
// project's support notes on playback equalisation for 78s and early LPs) give the
// same curves as a turnover, an optional bass shelf and the treble roll-off in dB at
// 10 kHz, and a 78 or early LP with no bass shelf there has its bass boost run on down
// to DC. Each figure below is checked against those frequencies: f = 1/(2πτ).

// RIAA (1954), IEC 60098: 50.05 Hz, 500.5 Hz, 2122 Hz, from the one home of its constants.
constexpr std::array kRiaa{CurveConstant{BassShelf, kLowPoleTau}, CurveConstant{Turnover, kZeroTau},
                           CurveConstant{TrebleRollOff, kHighPoleTau}};
// IEC 60098 amendment (1976): a 7950 µs high-pass (20.02 Hz) ahead of the RIAA curve.
constexpr std::array kRiaaIec{
    CurveConstant{HighPass, 7950e-6}, CurveConstant{BassShelf, kLowPoleTau},
    CurveConstant{Turnover, kZeroTau}, CurveConstant{TrebleRollOff, kHighPoleTau}};
// RIAA with the 3.18 µs zero (50.05 kHz), the desktop program's fixed extra zero.
constexpr std::array kRiaaExtraZero{
    CurveConstant{BassShelf, kLowPoleTau}, CurveConstant{Turnover, kZeroTau},
    CurveConstant{TrebleRollOff, kHighPoleTau}, CurveConstant{TrebleShelf, kFixedExtraZeroTau}};
// Columbia LP (1948), collectors' tables: 100 Hz, 500 Hz, -16 dB at 10 kHz (1592 Hz).
constexpr std::array kColumbiaLp{CurveConstant{BassShelf, 1590e-6}, CurveConstant{Turnover, 318e-6},
                                 CurveConstant{TrebleRollOff, 100e-6}};
// NAB disc curve (1949), collectors' tables: 50 Hz, 500 Hz, -16 dB at 10 kHz.
constexpr std::array kNab1949{CurveConstant{BassShelf, 3180e-6}, CurveConstant{Turnover, 318e-6},
                              CurveConstant{TrebleRollOff, 100e-6}};
// AES (1951), collectors' tables: 400 Hz turnover, -12 dB at 10 kHz (2500 Hz), no shelf.
constexpr std::array kAes1951{CurveConstant{BassToDc, 398e-6}, CurveConstant{Turnover, 398e-6},
                              CurveConstant{TrebleRollOff, 63.7e-6}};
// London/Decca ffrr LP, collectors' tables: 100 Hz, 500 Hz, -10.5 dB at 10 kHz (3183 Hz).
constexpr std::array kDeccaLp{CurveConstant{BassShelf, 1590e-6}, CurveConstant{Turnover, 318e-6},
                              CurveConstant{TrebleRollOff, 50e-6}};
// Decca ffrr 78, collectors' tables: 300 Hz turnover, -5 dB at 10 kHz (6366 Hz).
constexpr std::array kDeccaFfrr78{CurveConstant{BassToDc, 531e-6}, CurveConstant{Turnover, 531e-6},
                                  CurveConstant{TrebleRollOff, 25e-6}};
// HMV/EMI 78s, collectors' tables: turnover 250 Hz, 300 Hz or 500 Hz, flat treble.
constexpr std::array kEmi78At250{CurveConstant{BassToDc, 636e-6}, CurveConstant{Turnover, 636e-6}};
constexpr std::array kEmi78At300{CurveConstant{BassToDc, 531e-6}, CurveConstant{Turnover, 531e-6}};
constexpr std::array kEmi78At500{CurveConstant{BassToDc, 318e-6}, CurveConstant{Turnover, 318e-6}};
// BS 1928 (1955) and IEC N78 for coarse-groove 78s: 50 Hz, 353 Hz, 3183 Hz.
constexpr std::array kBsiN78{CurveConstant{BassShelf, 3180e-6}, CurveConstant{Turnover, 450e-6},
                             CurveConstant{TrebleRollOff, 50e-6}};
// Teldec, collectors' tables: 50 Hz, 500 Hz, -10.5 dB at 10 kHz.
constexpr std::array kTeldec{CurveConstant{BassShelf, 3180e-6}, CurveConstant{Turnover, 318e-6},
                             CurveConstant{TrebleRollOff, 50e-6}};
// RCA Orthophonic, collectors' tables: 500 Hz turnover, -13.7 dB at 10 kHz, no shelf.
constexpr std::array kRcaOrthophonic{CurveConstant{BassToDc, 318e-6},
                                     CurveConstant{Turnover, 318e-6},
                                     CurveConstant{TrebleRollOff, 75e-6}};

// Emphasis. CD (IEC 60908): recorded with a 50/15 µs treble shelf, so the playback
// de-emphasis is a pole at 50 µs (3183 Hz) and a zero at 15 µs (10.6 kHz), -10.5 dB at
// high frequencies. FM broadcast de-emphasis (ITU-R BS.450): one pole, 50 or 75 µs.
constexpr std::array kCdEmphasis{CurveConstant{TrebleRollOff, 50e-6},
                                 CurveConstant{TrebleShelf, 15e-6}};
constexpr std::array kFm50{CurveConstant{TrebleRollOff, 50e-6}};
constexpr std::array kFm75{CurveConstant{TrebleRollOff, 75e-6}};

// Tape (IEC 60094, NAB; the IASA TC-04 table of replay curves). The standards give the
// recorded flux; the head's output rises with frequency, so replay integrates: the bass
// time constant is a pole (or a pole at DC where the standard gives infinity) and the
// treble time constant a zero, where the replay curve levels off.
constexpr std::array kTapeNab{CurveConstant{BassShelf, 3180e-6}, CurveConstant{Turnover, 50e-6}};
constexpr std::array kTapeIec35{CurveConstant{BassToDc, 35e-6}, CurveConstant{Turnover, 35e-6}};
constexpr std::array kTapeIec70{CurveConstant{BassToDc, 70e-6}, CurveConstant{Turnover, 70e-6}};
constexpr std::array kTapeIec90{CurveConstant{BassShelf, 3180e-6}, CurveConstant{Turnover, 90e-6}};
constexpr std::array kTapeIec120{CurveConstant{BassShelf, 3180e-6},
                                 CurveConstant{Turnover, 120e-6}};
constexpr std::array kTapeIec3180At70{CurveConstant{BassShelf, 3180e-6},
                                      CurveConstant{Turnover, 70e-6}};

constexpr std::array kCurves{
    NamedCurve{"riaa", "RIAA playback (1954, IEC 60098): LPs and 45s", kRiaa},
    NamedCurve{"riaa-iec", "RIAA with the IEC amendment's 7950 us high-pass (20 Hz, 1976)",
               kRiaaIec},
    NamedCurve{"riaa-3.18us", "RIAA with a zero at 3.18 us (50 kHz)", kRiaaExtraZero},
    NamedCurve{"columbia-lp", "Columbia LP (1948): 100 Hz shelf, 500 Hz turnover, -16 dB",
               kColumbiaLp},
    NamedCurve{"nab-1949", "NAB disc (1949): 50 Hz shelf, 500 Hz turnover, -16 dB", kNab1949},
    NamedCurve{"aes-1951", "AES (1951): 400 Hz turnover, no shelf, -12 dB", kAes1951},
    NamedCurve{"decca-lp", "London/Decca ffrr LP: 100 Hz shelf, 500 Hz turnover, -10.5 dB",
               kDeccaLp},
    NamedCurve{"decca-ffrr-78", "Decca ffrr 78: 300 Hz turnover, no shelf, -5 dB", kDeccaFfrr78},
    NamedCurve{"emi-78-636us", "HMV/EMI 78: 250 Hz turnover, no shelf, flat treble", kEmi78At250},
    NamedCurve{"emi-78-531us", "HMV/EMI 78: 300 Hz turnover, no shelf, flat treble", kEmi78At300},
    NamedCurve{"emi-78-318us", "HMV/EMI 78: 500 Hz turnover, no shelf, flat treble", kEmi78At500},
    NamedCurve{"bsi-n78", "BSI (1955), IEC N78: 50 Hz shelf, 353 Hz turnover, -10.5 dB", kBsiN78},
    NamedCurve{"teldec", "Teldec: 50 Hz shelf, 500 Hz turnover, -10.5 dB", kTeldec},
    NamedCurve{"rca-orthophonic", "RCA Orthophonic: 500 Hz turnover, no shelf, -13.7 dB",
               kRcaOrthophonic},
    NamedCurve{"cd-emphasis", "CD de-emphasis (50/15 us): a treble shelf down to -10.5 dB",
               kCdEmphasis},
    NamedCurve{"fm-50us", "FM de-emphasis, 50 us (Europe and most of the world)", kFm50},
    NamedCurve{"fm-75us", "FM de-emphasis, 75 us (the Americas, South Korea)", kFm75},
    NamedCurve{"tape-nab", "NAB tape replay (3180/50 us): reel tape, 19 and 38 cm/s", kTapeNab},
    NamedCurve{"tape-iec-35us", "IEC tape replay (35 us): reel tape, 38 cm/s", kTapeIec35},
    NamedCurve{"tape-iec-70us", "IEC tape replay (70 us): reel tape, 19 cm/s", kTapeIec70},
    NamedCurve{"tape-iec-3180-90us", "IEC tape replay (3180/90 us): reel tape, 9.5 cm/s",
               kTapeIec90},
    NamedCurve{"tape-iec-3180-120us", "IEC cassette replay (3180/120 us): Type I", kTapeIec120},
    NamedCurve{"tape-iec-3180-70us", "IEC cassette replay (3180/70 us): Types II and IV",
               kTapeIec3180At70},
};

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

std::span<const NamedCurve> NamedCurves() { return kCurves; }

const NamedCurve* FindNamedCurve(std::string_view name) {
    const auto found = std::ranges::find_if(kCurves, [name](const NamedCurve& curve) {
        return EqualIgnoringAsciiCase(curve.name, name);
    });
    return found == kCurves.end() ? nullptr : &*found;
}

AnalogueCurve CurveOf(const NamedCurve& curve) {
    AnalogueCurve result;
    for (const CurveConstant& constant : curve.constants) {
        switch (constant.role) {
            case BassShelf:
            case TrebleRollOff:
                result.poleTaus.push_back(constant.tau);
                break;
            case Turnover:
            case TrebleShelf:
                result.zeroTaus.push_back(constant.tau);
                break;
            case BassToDc:
                result.dcPoleTaus.push_back(constant.tau);
                break;
            case HighPass:
                result.poleTaus.push_back(constant.tau);
                result.dcZeroTaus.push_back(constant.tau);
                break;
        }
    }
    return result;
}
