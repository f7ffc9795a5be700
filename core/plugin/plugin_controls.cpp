#include "plugin/plugin_controls.h"

#include <cmath>

#include "curves/named_curves.h"

namespace {

std::array<ControlRow, kControlCount> MakeControls() {
    const double lastCurve = static_cast<double>(NamedCurves().size());
    return {{
        {Control::Enabled, "enabled", "Enabled", "Off passes the input through unchanged",
         ControlKind::Toggle, 0.0, 1.0, 1.0, ""},
        {Control::Curve, "curve", "Curve",
         "The equalisation curve: a named curve, or the custom 78 curve set below",
         ControlKind::Enumeration, 0.0, lastCurve, 1.0, ""},
        {Control::Direction, "direction", "Direction",
         "Playback undoes the curve a record was cut with; recording applies it",
         ControlKind::Enumeration, 0.0, 1.0, kPlayback, ""},
        {Control::Sections, "sections", "Sections",
         "Second-order sections: the fewest within the tolerance, or a fixed number",
         ControlKind::Enumeration, 0.0, 4.0, kFewestSections, ""},
        {Control::ToleranceDb, "tolerance", "Tolerance",
         "The largest deviation from the curve, 20 Hz to 20 kHz, when the sections are "
         "the fewest within it",
         ControlKind::Logarithmic, 0.0001, 1.0, 0.001, "db"},
        {Control::GainDb, "gain", "Gain", "The gain at the gain reference", ControlKind::Continuous,
         -40.0, 40.0, 0.0, "db"},
        {Control::GainReference, "gain_reference", "Gain reference",
         "Where the gain applies: at 1 kHz, or at DC (at 1 kHz for a curve whose gain at "
         "DC is not finite)",
         ControlKind::Enumeration, 0.0, 1.0, kGainAtOneKilohertz, ""},
        {Control::TurnoverHz, "turnover", "Turnover", "Custom curve: where the bass boost ends",
         ControlKind::Logarithmic, 100.0, 2000.0, 500.0, "hz"},
        {Control::ShelfHz, "shelf", "Bass shelf",
         "Custom curve: where the bass boost levels off; 0 for a boost down to DC",
         ControlKind::Continuous, 0.0, 500.0, 0.0, "hz"},
        {Control::RolloffDb, "rolloff", "Treble roll-off",
         "Custom curve: the treble attenuation at 10 kHz; 0 for a flat treble",
         ControlKind::Continuous, 0.0, 30.0, 0.0, "db"},
        {Control::TrebleHz, "treble", "Treble corner",
         "Custom curve: the treble roll-off's corner; 0 to set it by the attenuation at "
         "10 kHz instead",
         ControlKind::Continuous, 0.0, 20000.0, 0.0, "hz"},
        {Control::RumbleHz, "rumble", "Rumble filter",
         "A Butterworth high-pass after the curve against rumble, DC offset and warps: its "
         "corner, from 1 Hz; 0 for none",
         ControlKind::Continuous, 0.0, 200.0, kNoRumbleFilter, "hz"},
        {Control::RumbleOrder, "rumble_order", "Rumble filter order",
         "The rumble filter's order: 6 dB an octave for each, below the corner",
         ControlKind::Integer, 1.0, 4.0, 2.0, ""},
    }};
}

}  // namespace

const std::array<ControlRow, kControlCount>& PluginControls() {
    static const std::array<ControlRow, kControlCount> controls = MakeControls();
    return controls;
}

const ControlRow& RowOf(Control control) { return PluginControls()[PortIndex(control)]; }

float SanitisedValue(Control control, float value) {
    const ControlRow& row = RowOf(control);
    if (std::isnan(value)) {
        return static_cast<float>(row.defaultValue);
    }
    value = std::fmin(std::fmax(value, static_cast<float>(row.minimum)),
                      static_cast<float>(row.maximum));
    if (row.kind == ControlKind::Toggle) {
        return value > 0.0 ? 1.0 : 0.0;
    }
    if (row.kind == ControlKind::Enumeration || row.kind == ControlKind::Integer) {
        return std::round(value);
    }
    return value;
}
