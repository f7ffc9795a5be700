#pragma once
// TEMPORARY: the core's one design door as the plugin calls it, declared here and
// answered by today's design functions until the core provides this header itself.
// Delete this folder and its lines in lv2/CMakeLists.txt (marked there) once the core's
// designs/make_design.h exists; the plugin's code needs no other change.

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <variant>

#include "analogue_curve.h"
#include "cascade.h"
#include "curve_entry.h"
#include "minimax_design.h"
#include "named_curves.h"

enum class Direction { Playback, Recording };
enum class DesignMethod { Matched, Minimax };
struct SectionCount {
    int sections;
};
struct ToleranceDb {
    double db;
};
using DesignSize = std::variant<std::monostate, SectionCount, ToleranceDb>;

CurveReading RiaaCurveReading();
CurveReading NamedCurveReading(const NamedCurve& curve);
CurveReading TurnoverCurveReading(double turnoverHz, std::optional<double> shelfHz,
                                  double rolloffDbAt10kHz);

struct DesignRequest {
    CurveReading curve = RiaaCurveReading();
    double samplingFrequency = 0.0;
    double gain = 1.0;
    GainReference gainReference = GainReference::Dc;
    Direction direction = Direction::Playback;
    DesignMethod method = DesignMethod::Matched;
    DesignSize size;
    double extraZero = 0.0;
};

struct Design {
    Cascade cascade;
    DesignMethod method = DesignMethod::Minimax;
    Direction direction = Direction::Playback;
    GainReference gainReference = GainReference::Dc;
    double samplingFrequency = 0.0;
    double gain = 1.0;
    std::string curveName, curveDescription;
    std::optional<double> maxDeviationDb;
};

template <class T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    static Result Failure(std::string error) {
        Result result;
        result.error_ = std::move(error);
        return result;
    }
    bool ok() const { return value_.has_value(); }
    const T& value() const { return *value_; }
    const std::string& error() const { return error_; }

private:
    Result() = default;
    std::optional<T> value_;
    std::string error_;
};

// Minimax designs only: the one method the plugin offers.
Result<Design> MakeDesign(const DesignRequest& request);
