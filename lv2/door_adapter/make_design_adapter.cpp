// TEMPORARY: see designs/make_design.h beside this file. The minimax branch of the
// command-line tool's design, on the same core functions, so that the plugin's designs
// equal the tool's for the same options.
#include <cmath>
#include <exception>

#include "cascade_minimax_design.h"
#include "curve_minimax_design.h"
#include "designs/make_design.h"
#include "number_text.h"

CurveReading RiaaCurveReading() { return ReadCurveEntry("riaa"); }

CurveReading NamedCurveReading(const NamedCurve& curve) { return ReadCurveEntry(curve.name); }

CurveReading TurnoverCurveReading(double turnoverHz, std::optional<double> shelfHz,
                                  double rolloffDbAt10kHz) {
    std::string entry = "turnover:" + FormatShortest(turnoverHz);
    if (shelfHz) {
        entry += ",shelf:" + FormatShortest(*shelfHz);
    }
    return ReadCurveEntry(entry + ",rolloff:" + FormatShortest(rolloffDbAt10kHz));
}

Result<Design> MakeDesign(const DesignRequest& request) {
    if (!request.curve.ok) {
        return Result<Design>::Failure(request.curve.error);
    }
    if (request.method != DesignMethod::Minimax) {
        return Result<Design>::Failure("only minimax designs are adapted");
    }
    CascadeRequest cascade;
    cascade.samplingFrequency = request.samplingFrequency;
    cascade.gain = request.gain;
    cascade.gainReference = request.gainReference;
    cascade.inverse = request.direction == Direction::Recording;
    const bool riaa = request.curve.name == "riaa";
    const auto* sections = std::get_if<SectionCount>(&request.size);
    const auto* tolerance = std::get_if<ToleranceDb>(&request.size);
    Design design;
    try {
        MinimaxCascade minimax;
        if (riaa) {
            minimax = tolerance ? DesignMinimaxRiaaCascadeWithin(request.extraZero, cascade,
                                                                 tolerance->db)
                                : DesignMinimaxRiaaCascade(request.extraZero, cascade,
                                                           sections ? sections->sections : 1);
        } else {
            const AnalogueCurve& curve = request.curve.curve;
            minimax = tolerance
                          ? DesignMinimaxCurveCascadeWithin(curve, cascade, tolerance->db)
                          : DesignMinimaxCurveCascade(
                                curve, cascade,
                                sections ? sections->sections : MinimumCascadeSections(curve));
        }
        design.cascade = minimax.cascade;
        design.maxDeviationDb = minimax.maxDeviationDb;
    } catch (const std::exception& error) {
        return Result<Design>::Failure(error.what());
    }
    design.method = request.method;
    design.direction = request.direction;
    design.gainReference = riaa
                               ? request.gainReference
                               : EffectiveGainReference(request.curve.curve, request.gainReference);
    design.samplingFrequency = request.samplingFrequency;
    design.gain = request.gain;
    design.curveName = request.curve.name;
    design.curveDescription = request.curve.description;
    return design;
}
