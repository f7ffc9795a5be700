#pragma once
// The controls of vorlexi's LV2 plugins, in one table that the plugin reads, the
// generator of its Turtle description writes out, and the PipeWire export fills in:
// each control's port index, symbol, name, range and default.
//
// Port indices are part of every saved session and preset, so controls are only ever
// added at the end, and the curve control's values are the named-curve table's rows
// plus one (0 is the custom 78 curve), so that a curve added to the end of the table
// leaves every saved value meaning what it meant.

#include <array>
#include <cstdint>
#include <string_view>

inline constexpr std::string_view kPluginUriBase = "https://vorlexi.example.org/lv2/";
inline constexpr std::string_view kStereoPluginUri = "https://vorlexi.example.org/lv2/stereo";
inline constexpr std::string_view kMonoPluginUri = "https://vorlexi.example.org/lv2/mono";

enum class Control : std::uint32_t {
    Enabled,        // lv2:enabled: 0 passes the input through unchanged
    Curve,          // 0 the custom 78 curve, 1 + row of the named-curve table
    Direction,      // 0 playback, 1 recording
    Sections,       // 0 the fewest within the tolerance, else 1 to 4
    ToleranceDb,    // the largest deviation from the curve the design may have
    GainDb,         // at the gain reference
    GainReference,  // 0 at 1 kHz, 1 at DC
    TurnoverHz,     // custom curve: where the bass boost ends
    ShelfHz,        // custom curve: where the bass boost levels off, 0 for none
    RolloffDb,      // custom curve: treble attenuation at 10 kHz
    TrebleHz,       // custom curve: the treble corner in Hz, 0 to use RolloffDb
    RumbleHz,       // the rumble filter's corner, 0 for none
    RumbleOrder,    // the rumble filter's order, 1 to 4
};
inline constexpr std::uint32_t kControlCount = 13;

inline constexpr std::uint32_t PortIndex(Control control) {
    return static_cast<std::uint32_t>(control);
}

inline constexpr float kCustomCurve = 0.0f;
inline constexpr float kPlayback = 0.0f;
inline constexpr float kRecording = 1.0f;
inline constexpr float kFewestSections = 0.0f;
inline constexpr float kGainAtOneKilohertz = 0.0f;
inline constexpr float kGainAtDc = 1.0f;
inline constexpr float kNoRumbleFilter = 0.0f;

enum class ControlKind { Toggle, Enumeration, Integer, Continuous, Logarithmic };

struct ControlRow {
    Control control;
    std::string_view symbol;
    std::string_view name;
    std::string_view comment;
    ControlKind kind;
    double minimum;
    double maximum;
    double defaultValue;
    std::string_view unit;  // an LV2 units: name (hz, db), or empty
};

// Every control, in port order.
const std::array<ControlRow, kControlCount>& PluginControls();

const ControlRow& RowOf(Control control);

// The audio ports follow the controls: inputs, then outputs.
inline constexpr std::uint32_t kFirstAudioPort = kControlCount;

// The value of a control as the plugin reads it: a number outside the control's range,
// or not a number, becomes the nearest end or the default, and an enumeration or
// integer control is rounded to its nearest value.
float SanitisedValue(Control control, float value);
