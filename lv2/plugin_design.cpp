#include "plugin_design.h"

#include <cmath>

#include "designs/make_design.h"
#include "plugin/plugin_controls.h"

namespace {

float Value(const float* const* controls, Control control) {
    const float* port = controls[PortIndex(control)];
    return SanitisedValue(control, port ? *port : static_cast<float>(RowOf(control).defaultValue));
}

CurveReading CurveOfSettings(const DesignSettings& settings) {
    if (settings.curve == static_cast<int>(kCustomCurve)) {
        // A corner at f attenuates 10 kHz by 10·log10(1 + (10 kHz / f)²) dB, the figure
        // the turnover entry takes.
        const double rolloffDb =
            settings.trebleHz > 0.0f
                ? 10.0 * std::log10(1.0 + std::pow(10000.0 / settings.trebleHz, 2.0))
                : settings.rolloffDb;
        const std::optional<double> shelf =
            settings.shelfHz > 0.0f ? std::optional<double>(settings.shelfHz) : std::nullopt;
        return TurnoverCurveReading(settings.turnoverHz, shelf, rolloffDb);
    }
    return ChosenNamedCurve(NamedCurves()[static_cast<std::size_t>(settings.curve - 1)]);
}

DesignRequest RequestOf(const DesignSettings& settings, double samplingFrequency) {
    DesignRequest request;
    request.curve = CurveOfSettings(settings);
    request.samplingFrequency = samplingFrequency;
    request.gain = std::pow(10.0, settings.gainDb / 20.0);
    request.gainReference = settings.gainReference == static_cast<int>(kGainAtDc)
                                ? GainReference::Dc
                                : GainReference::OneKilohertz;
    request.direction = settings.direction == static_cast<int>(kRecording) ? Direction::Recording
                                                                           : Direction::Playback;
    request.method = DesignMethod::Minimax;
    if (settings.sections == static_cast<int>(kFewestSections)) {
        request.size = ToleranceDb{settings.toleranceDb, /*orClosest=*/true};
    } else {
        request.size = SectionCount{settings.sections};
    }
    if (settings.rumbleHz > 0.0f) {
        request.rumble = RumbleFilter{settings.rumbleHz, settings.rumbleOrder};
    }
    return request;
}

DesignedFilter Filter(const Cascade& cascade) {
    DesignedFilter filter;
    if (cascade.sections.empty() || cascade.sections.size() > kPluginMaxSections) {
        return filter;
    }
    for (std::size_t k = 0; k < cascade.sections.size(); ++k) {
        filter.sections[k] = cascade.sections[k];
    }
    filter.count = static_cast<int>(cascade.sections.size());
    return filter;
}

}  // namespace

DesignSettings SettingsFromControls(const float* const* controls) {
    DesignSettings settings;
    settings.curve = static_cast<int>(Value(controls, Control::Curve));
    settings.direction = static_cast<int>(Value(controls, Control::Direction));
    settings.sections = static_cast<int>(Value(controls, Control::Sections));
    settings.toleranceDb = Value(controls, Control::ToleranceDb);
    settings.gainDb = Value(controls, Control::GainDb);
    settings.gainReference = static_cast<int>(Value(controls, Control::GainReference));
    if (settings.curve == static_cast<int>(kCustomCurve)) {
        settings.turnoverHz = Value(controls, Control::TurnoverHz);
        settings.shelfHz = Value(controls, Control::ShelfHz);
        settings.rolloffDb = Value(controls, Control::RolloffDb);
        settings.trebleHz = Value(controls, Control::TrebleHz);
    }
    settings.rumbleHz = Value(controls, Control::RumbleHz);
    if (settings.rumbleHz > 0.0f) {
        settings.rumbleOrder = static_cast<int>(Value(controls, Control::RumbleOrder));
    }
    return settings;
}

DesignSettings DefaultSettings() {
    const float* none[kControlCount] = {};
    return SettingsFromControls(none);
}

DesignedFilter DesignFilter(const DesignSettings& settings, double samplingFrequency) {
    const Result<Design> design = MakeDesign(RequestOf(settings, samplingFrequency));
    return design.ok() ? Filter(design.value().cascade) : DesignedFilter{};
}
