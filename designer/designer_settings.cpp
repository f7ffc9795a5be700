#include "designer_settings.h"

#include <cmath>

#include "base/eng_value.h"

namespace {

template <typename T>
Result<T> Refused(std::string error) {
    return Result<T>::Failure(std::move(error));
}

// A positive, finite number as vorlexi-calc reads its entries (SI prefixes allowed).
Result<double> ReadPositive(const std::string& text, const std::string& what,
                            const std::string& example) {
    const EngValue read = ReadEngValue(text.c_str());
    if (!read.readable || !(read.value > 0.0) || !std::isfinite(read.value)) {
        return Refused<double>(what + ": \"" + text +
                               "\" is not a positive number; type one such as " + example);
    }
    return read.value;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string CurveEntryText(const DesignerSettings& settings) {
    switch (settings.curveSource) {
        case CurveSource::Custom:
            return "custom:" + Trimmed(settings.timeConstants);
        case CurveSource::Turnover: {
            std::string entry = "turnover:" + Trimmed(settings.turnoverHz);
            if (!Trimmed(settings.shelfHz).empty()) {
                entry += ",shelf:" + Trimmed(settings.shelfHz);
            }
            const std::string rollOff = Trimmed(settings.rollOffDb);
            return entry + ",rolloff:" + (rollOff.empty() ? "0" : rollOff);
        }
        case CurveSource::Named:
            break;
    }
    return settings.curveName;
}

Result<DesignRequest> RequestFor(const DesignerSettings& settings) {
    DesignRequest request;
    request.curve = ReadCurveEntry(CurveEntryText(settings));
    if (!request.curve.ok()) {
        return Refused<DesignRequest>("Curve: " + request.curve.error());
    }
    const Result<double> rate =
        ReadPositive(settings.samplingFrequency, "Sampling frequency", "44100 or 96k");
    if (!rate) {
        return Refused<DesignRequest>(rate.error());
    }
    const Result<double> gain = ReadPositive(settings.gain, "Gain", "1 or 0.5");
    if (!gain) {
        return Refused<DesignRequest>(gain.error());
    }
    const std::string rumble = Trimmed(settings.rumbleHz);
    if (!rumble.empty() && rumble != "0") {
        const Result<double> corner =
            ReadPositive(rumble, "Rumble filter", "20 (Hz), or 0 for none");
        if (!corner) {
            return Refused<DesignRequest>(corner.error());
        }
        request.rumble = RumbleFilter{*corner, settings.rumbleOrder};
    }
    request.samplingFrequency = *rate;
    request.gain = *gain;
    request.gainReference = settings.gainReference;
    request.direction = settings.direction;
    request.method = settings.method;
    if (settings.method == DesignMethod::Minimax) {
        if (settings.size == SizeChoice::Sections) {
            request.size = SectionCount{settings.sections};
        } else if (settings.size == SizeChoice::Tolerance) {
            const Result<double> tolerance =
                ReadPositive(settings.toleranceDb, "Tolerance", "0.01 (dB)");
            if (!tolerance) {
                return Refused<DesignRequest>(tolerance.error());
            }
            request.size = ToleranceDb{*tolerance};
        }
    }
    return request;
}

std::vector<std::string> CalcDesignArguments(const DesignerSettings& settings, const Design& design,
                                             CalcCommand command) {
    std::vector<std::string> arguments = {"--curve=" + CurveEntryText(settings)};
    if (command == CalcCommand::Print) {
        arguments.push_back("--sample-freq=" + Trimmed(settings.samplingFrequency));
    }
    arguments.push_back("--gain=" + Trimmed(settings.gain));
    if (settings.direction == Direction::Recording) {
        arguments.push_back("--inverse");
    }
    arguments.push_back(design.method == DesignMethod::Minimax ? "--method=minimax"
                                                               : "--method=matched");
    if (design.method == DesignMethod::Minimax) {
        if (settings.size == SizeChoice::Tolerance) {
            arguments.push_back("--tolerance=" + Trimmed(settings.toleranceDb));
        } else if (settings.size == SizeChoice::Sections ||
                   (command == CalcCommand::Apply && !design.record)) {
            // The method's own size is spelled out for apply; the one-biquad record of
            // RIAA has no count to spell (a count asks for the cascade design instead).
            arguments.push_back("--sections=" + std::to_string(CurveSectionCount(design)));
        }
    }
    arguments.push_back(design.gainReference == GainReference::OneKilohertz ? "--normalize=1k"
                                                                            : "--normalize=dc");
    if (design.rumble) {
        arguments.push_back("--rumble=" + Trimmed(settings.rumbleHz));
        arguments.push_back("--rumble-order=" + std::to_string(design.rumble->order));
    }
    return arguments;
}
