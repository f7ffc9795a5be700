#include "designs/make_design.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "base/number_text.h"
#include "curves/named_curves.h"
#include "curves/riaa_curve.h"
#include "curves/riaa_prototype.h"
#include "designs/detail/butterworth_high_pass.h"
#include "designs/detail/cascade_minimax_design.h"
#include "designs/detail/curve_minimax_design.h"
#include "designs/detail/matched_curve_design.h"
#include "designs/detail/minimax_design.h"
#include "designs/detail/record_response.h"
#include "designs/detail/riaa_design.h"
#include "designs/riaa_record.h"
#include "designs/rumble_filter.h"
#include "response/frequency_response.h"

namespace {

bool IsRiaa(const DesignRequest& request) {
    return request.curve->name == NamedCurves().front().name;
}

std::int32_t InverseFlag(Direction direction) { return direction == Direction::Recording ? 1 : 0; }

Design Described(const DesignRequest& request) {
    Design design;
    design.method = request.method;
    design.direction = request.direction;
    design.gainReference = request.gainReference;
    design.samplingFrequency = request.samplingFrequency;
    design.gain = request.gain;
    design.extraZero = request.extraZero;
    design.curveName = request.curve->name;
    design.curveDescription = request.curve->description;
    const bool recording = request.direction == Direction::Recording;
    design.target = IsRiaa(request) ? RiaaCurve({request.extraZero, InverseFlag(request.direction)})
                    : recording     ? ReciprocalCurve(request.curve->curve)
                                    : request.curve->curve;
    return design;
}

// The desktop program's record (or the minimax biquad in its form), exactly as it has
// always been made: designed with the gain at DC, then scaled at 1 kHz when asked.
Result<Design> RecordDesign(const DesignRequest&, Design design) {
    const std::int32_t inverse = InverseFlag(design.direction);
    RiaaCoefficients record;
    if (design.method == DesignMethod::Matched) {
        record = ComputeRiaaCoefficients(design.samplingFrequency, design.gain, design.extraZero,
                                         inverse);
    } else {
        try {
            record = ComputeMinimaxRiaaCoefficients(design.samplingFrequency, design.gain,
                                                    design.extraZero, inverse);
        } catch (const std::exception& error) {
            // std::invalid_argument, or std::runtime_error when NLopt is missing.
            return Result<Design>::Failure(std::string("--method=minimax: ") + error.what());
        }
    }
    if (design.gainReference == GainReference::OneKilohertz) {
        const double fs = design.samplingFrequency;
        if (!(fs > 2.0 * kRiaaReferenceHz) || !std::isfinite(fs)) {
            return Result<Design>::Failure(
                "--normalize=1k needs a finite sampling frequency above 2 kHz, so that "
                "1 kHz lies below fs/2; got " +
                FormatShortest(fs));
        }
        record = ScaleGainAt(record, fs, kRiaaReferenceHz, design.gain);
    }
    design.record = record;
    design.cascade = CascadeFromCoefficients(record);
    return design;
}

// A cascade method's refusals, which it throws, as the one line a Result carries.
template <class MakeCascade>
Result<Design> Caught(Design design, MakeCascade make) {
    try {
        make(design);
    } catch (const UnreachableTolerance& error) {
        return Result<Design>::Failure(std::string("--tolerance: ") + error.what());
    } catch (const std::exception& error) {
        // std::invalid_argument, or std::runtime_error when NLopt or GLPK is missing.
        return Result<Design>::Failure("the " + MethodAndSections(design) + " design of " +
                                       design.curveName + ": " + error.what());
    }
    return design;
}

Result<Design> MatchedCascadeDesign(const DesignRequest& request, Design design) {
    return Caught(std::move(design), [&request](Design& made) {
        const MatchedCascade matched = DesignMatchedCascade(
            request.curve->curve, request.samplingFrequency, request.gain, request.gainReference,
            request.direction == Direction::Recording);
        made.cascade = matched.cascade;
        made.gainReference = matched.gainReference;
    });
}

MinimaxCascade MinimaxOf(const DesignRequest& request) {
    CascadeRequest cascade;
    cascade.samplingFrequency = request.samplingFrequency;
    cascade.gain = request.gain;
    cascade.gainReference = request.gainReference;
    cascade.inverse = request.direction == Direction::Recording;
    const ToleranceDb* tolerance = std::get_if<ToleranceDb>(&request.size);
    const SectionCount* count = std::get_if<SectionCount>(&request.size);
    if (IsRiaa(request)) {
        if (tolerance != nullptr) {
            return DesignMinimaxRiaaCascadeWithin(request.extraZero, cascade, tolerance->db);
        }
        return DesignMinimaxRiaaCascade(request.extraZero, cascade,
                                        count != nullptr ? count->sections : 1);
    }
    if (tolerance != nullptr) {
        return DesignMinimaxCurveCascadeWithin(request.curve->curve, cascade, tolerance->db);
    }
    return DesignMinimaxCurveCascade(
        request.curve->curve, cascade,
        count != nullptr ? count->sections : MinimumCascadeSections(request.curve->curve));
}

Result<Design> MinimaxCascadeDesign(const DesignRequest& request, Design design) {
    return Caught(std::move(design), [&request](Design& made) {
        const MinimaxCascade minimax = MinimaxOf(request);
        made.cascade = minimax.cascade;
        made.maxDeviationDb = minimax.maxDeviationDb;
        made.gainReference = IsRiaa(request) ? request.gainReference
                                             : EffectiveGainReference(request.curve->curve,
                                                                      request.gainReference);
    });
}

bool AtTheRecordsOwnSize(const DesignRequest& request) {
    return IsRiaa(request) && std::holds_alternative<std::monostate>(request.size);
}
bool AsksForMatched(const DesignRequest& request) {
    return request.method == DesignMethod::Matched;
}
bool AsksForMinimax(const DesignRequest& request) {
    return request.method == DesignMethod::Minimax;
}

// Every method, with the requests it takes; MakeDesign runs the first that takes the
// request. The RIAA curve at its own size comes first: the desktop program's biquad,
// matched or minimax, keeps its record and every bit it has always had.
struct Method {
    bool (*takes)(const DesignRequest&);
    Result<Design> (*make)(const DesignRequest&, Design);
};
constexpr Method kMethods[] = {
    {AtTheRecordsOwnSize, RecordDesign},
    {AsksForMatched, MatchedCascadeDesign},
    {AsksForMinimax, MinimaxCascadeDesign},
};

// The rumble filter's sections after the curve's, and its high-pass in the target. A gain
// asked at 1 kHz holds for the whole cascade; a gain at DC is the curve's (the
// high-pass has none there).
Design WithRumbleFilter(Design design, const RumbleFilter& rumble) {
    const std::vector<BiquadSection> highPass =
        ButterworthHighPassSections(rumble.cornerHz, rumble.order, design.samplingFrequency);
    design.cascade.sections.insert(design.cascade.sections.end(), highPass.begin(), highPass.end());
    if (design.gainReference == GainReference::OneKilohertz) {
        design.cascade = ScaleCascadeGainAt(design.cascade, design.samplingFrequency,
                                            kRiaaReferenceHz, design.gain);
    }
    design.target =
        WithButterworthHighPass(std::move(design.target), rumble.cornerHz, rumble.order);
    design.rumble = rumble;
    // The desktop program's record is one biquad; with the high-pass the design is a cascade.
    design.record.reset();
    return design;
}

Result<Design> MakeDesignAsAsked(const DesignRequest& request) {
    if (!request.curve.ok()) {
        return Result<Design>::Failure(request.curve.error());
    }
    if (request.extraZero != 0.0 && !IsRiaa(request)) {
        return Result<Design>::Failure("an extra zero is for the RIAA curve only; give " +
                                       request.curve->name + " a zero of its own");
    }
    if (request.method == DesignMethod::Matched &&
        !std::holds_alternative<std::monostate>(request.size)) {
        return Result<Design>::Failure(
            "the matched design has the sections the curve's time constants give; a number of "
            "sections or a tolerance chooses a minimax cascade");
    }
    if (request.rumble) {
        if (const auto problem = RumbleFilterProblem(
                request.rumble->cornerHz, request.rumble->order, request.samplingFrequency)) {
            return Result<Design>::Failure(*problem);
        }
    }
    const Method* method = std::find_if(std::begin(kMethods), std::end(kMethods),
                                        [&request](const Method& m) { return m.takes(request); });
    if (method == std::end(kMethods)) {
        return Result<Design>::Failure("no method of design takes this request");
    }
    Result<Design> made = method->make(request, Described(request));
    if (!made.ok() || !request.rumble) {
        return made;
    }
    return WithRumbleFilter(std::move(made.value()), *request.rumble);
}

// Each count from the curve's fewest sections to four, and the one that comes closest;
// the refusal itself where none can be made.
Result<Design> ClosestDesign(DesignRequest request, double toleranceDb, Result<Design> refusal) {
    std::optional<Design> closest;
    for (int sections = MinimumCascadeSections(request.curve->curve);
         sections <= kMaxCascadeSections; ++sections) {
        request.size = SectionCount{sections};
        Result<Design> candidate = MakeDesignAsAsked(request);
        if (candidate && candidate->maxDeviationDb &&
            (!closest || *candidate->maxDeviationDb < *closest->maxDeviationDb)) {
            closest = std::move(candidate).value();
        }
    }
    if (!closest) {
        return refusal;
    }
    closest->missedToleranceDb = toleranceDb;
    return std::move(*closest);
}

}  // namespace

int CurveSectionCount(const Design& design) {
    const int all = static_cast<int>(design.cascade.sections.size());
    return design.rumble ? all - RumbleSectionCount(design.rumble->order) : all;
}

std::string RumbleFilterText(const RumbleFilter& rumble) {
    return "rumble filter at " + FormatShortest(rumble.cornerHz) + " Hz of order " +
           std::to_string(rumble.order);
}

std::string MethodAndSections(const Design& design) {
    const int count = CurveSectionCount(design);
    std::string text = design.method == DesignMethod::Matched ? "matched" : "minimax";
    if (count > 0) {
        text += ", " + std::to_string(count) + (count == 1 ? " section" : " sections");
    }
    if (design.rumble) {
        text += ", " + RumbleFilterText(*design.rumble);
    }
    return text;
}

Result<Design> MakeDesign(const DesignRequest& request) {
    Result<Design> made = MakeDesignAsAsked(request);
    const ToleranceDb* tolerance = std::get_if<ToleranceDb>(&request.size);
    if (made || tolerance == nullptr || !tolerance->orClosest || !request.curve.ok()) {
        return made;
    }
    return ClosestDesign(request, tolerance->db, std::move(made));
}
