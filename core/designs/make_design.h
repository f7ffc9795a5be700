#pragma once
// The one door into the designs: a request names the curve, the rate, the gain and where it
// applies, the direction, the method and the size, and MakeDesign looks the method up and
// returns the one design type every front end takes (the print command, apply, a plugin).
//
//   DesignRequest request;
//   request.curve = ReadCurveEntry("aes-1951");
//   request.samplingFrequency = 48000.0;
//   request.method = DesignMethod::Minimax;
//   request.size = ToleranceDb{0.05};
//   const Result<Design> design = MakeDesign(request);

#include <optional>
#include <string>
#include <variant>

#include "base/design_vocabulary.h"
#include "base/result.h"
#include "curves/analogue_curve.h"
#include "curves/curve_entry.h"
#include "designs/riaa_record.h"
#include "response/cascade.h"

// Playback follows the curve (de-emphasis); recording its reciprocal (pre-emphasis).
enum class Direction { Playback, Recording };

// Matched: the matched z-transform of the curve's time constants, as the desktop program
// designs RIAA. Minimax: the cascade with the least largest dB error over the fit band.
enum class DesignMethod { Matched, Minimax };

struct SectionCount {
    int sections;  // 1..4, at least what the curve needs
};
struct ToleranceDb {
    double db;  // > 0: the fewest sections whose largest deviation is at most this
    // Where no cascade of up to four sections comes within db: the closest of them (more
    // sections do not always fit better) rather than a refusal, and the design says so.
    bool orClosest = false;
};

// A Butterworth high-pass below the curve: rumble, DC offset, warped records.
struct RumbleFilter {
    double cornerHz = 0.0;  // the -3 dB corner
    int order = 2;          // 1..4
};

// monostate: the method's own size (matched: what the curve's roots give; minimax: one
// section for RIAA, the curve's minimum otherwise). A count or a tolerance asks for minimax.
using DesignSize = std::variant<std::monostate, SectionCount, ToleranceDb>;

struct DesignRequest {
    CurveReading curve = ChosenRiaaCurve();  // a named or custom curve, as ReadCurveEntry gives it
    double samplingFrequency = 0.0;           // Hz
    double gain = 1.0;                        // linear, at the gain reference
    GainReference gainReference = GainReference::Dc;
    Direction direction = Direction::Playback;
    DesignMethod method = DesignMethod::Matched;
    DesignSize size;         // std::monostate by default
    double extraZero = 0.0;  // RIAA only: 0 none, above 1 its Hz, else the fixed 3.18 us zero
    // Its sections follow the curve's, which a count or a tolerance counts alone.
    std::optional<RumbleFilter> rumble;  // none by default
};

struct Design {
    Cascade cascade;  // sections in the order they run, gain in the first
    DesignMethod method = DesignMethod::Matched;
    Direction direction = Direction::Playback;
    GainReference gainReference = GainReference::Dc;  // where the gain was actually applied
    double samplingFrequency = 0.0;
    double gain = 1.0;
    double extraZero = 0.0;  // as asked
    std::string curveName, curveDescription;
    // The curve the cascade follows (recording curve when Recording), times the rumble
    // filter's analogue high-pass when there is one.
    AnalogueCurve target;
    std::optional<RumbleFilter> rumble;    // as applied
    std::optional<double> maxDeviationDb;  // a minimax design's own figure over its fit band
    // The tolerance asked for, when no cascade met it and this is the closest (orClosest).
    std::optional<double> missedToleranceDb;
    // The desktop program's one-biquad record, for the RIAA curve at its own size without a
    // rumble filter: the edge that writes the program's report and JSON writes it from
    // this, as it always has.
    std::optional<RiaaCoefficients> record;
};

// The design the request asks for. Never throws for bad input: a rate outside the method's
// range, a tolerance no cascade meets (unless it takes the closest), a curve with no stable
// filter, a missing NLopt or GLPK all come back as the error's one line.
Result<Design> MakeDesign(const DesignRequest& request);

// The sections that follow the curve, without the rumble filter's.
int CurveSectionCount(const Design& design);

// "minimax, 2 sections" or "matched, 1 section, rumble filter at 20 Hz of order 2": the
// method, the curve's sections and any rumble filter, as titles and error lines name a
// design.
std::string MethodAndSections(const Design& design);

// "rumble filter at 20 Hz of order 2".
std::string RumbleFilterText(const RumbleFilter& rumble);
