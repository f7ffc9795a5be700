#pragma once
// What the designer window's left panel holds, as typed, and the design request it stands
// for. Qt-free, so that tests can hold it against vorlexi-calc run with the same settings.
// A new control is one more field here and one more line in RequestFor and
// CalcDesignArguments.

#include <string>
#include <vector>

#include "base/result.h"
#include "designs/make_design.h"

// Where the curve comes from: a row of the named curves, a list of time constants, or the
// turnover, shelf and roll-off that record collectors quote.
enum class CurveSource { Named, Custom, Turnover };

// The design's size: the method's own, a number of sections, or a tolerance that picks one.
enum class SizeChoice { Own, Sections, Tolerance };

struct DesignerSettings {
    CurveSource curveSource = CurveSource::Named;
    std::string curveName = "riaa";
    std::string timeConstants = "3180u,318u,75u";  // after "custom:"
    std::string turnoverHz = "500";
    std::string shelfHz = "50";  // empty: the boost runs on to DC
    std::string rollOffDb = "13.7";
    Direction direction = Direction::Playback;
    std::string samplingFrequency = "48k";  // Hz, SI prefixes allowed, as -s takes it
    DesignMethod method = DesignMethod::Matched;
    SizeChoice size = SizeChoice::Own;
    int sections = 2;
    std::string toleranceDb = "0.05";
    std::string gain = "1";  // a plain factor, as -g takes it
    GainReference gainReference = GainReference::Dc;
    std::string rumbleHz;  // the high-pass's corner, as --rumble takes it; empty or 0: none
    int rumbleOrder = 2;

    bool operator==(const DesignerSettings&) const = default;
};

// The curve as vorlexi-calc's --curve takes it: "riaa", "custom:3180u,318u,75u",
// "turnover:500,shelf:50,rolloff:13.7".
std::string CurveEntryText(const DesignerSettings& settings);

// The request the settings make, or one line that names the entry at fault and says
// what it takes.
Result<DesignRequest> RequestFor(const DesignerSettings& settings);

// The options that make the same design in vorlexi-calc, for the print command (with
// -s, the sizes as chosen) or for `apply` (no rate: every file is equalised at its own;
// the method, size and gain reference always spelled out, so that the files get the
// design shown, whatever apply's defaults are).
enum class CalcCommand { Print, Apply };
std::vector<std::string> CalcDesignArguments(const DesignerSettings& settings, const Design& design,
                                             CalcCommand command);
