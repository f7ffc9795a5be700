#pragma once
// The plugin's one way to a design: its control values, read into settings, become a
// request to the core's design door. Runs outside the audio thread only (instantiate,
// activate, the host's worker).

#include "designed_filter.h"

// What a design depends on, read from the control ports. The custom curve's figures
// count only when the curve control selects it, and the rumble filter's order only when
// it has a corner, so that turning them meanwhile asks for no new design.
struct DesignSettings {
    int curve = 1;
    int direction = 0;
    int sections = 0;
    float toleranceDb = 0.001f;
    float gainDb = 0.0f;
    int gainReference = 0;
    float turnoverHz = 0.0f;
    float shelfHz = 0.0f;
    float rolloffDb = 0.0f;
    float trebleHz = 0.0f;
    float rumbleHz = 0.0f;  // 0: none
    int rumbleOrder = 0;

    bool operator==(const DesignSettings&) const = default;
};

// The settings from control values in port order (kControlCount of them), each
// sanitised as the control's range asks. No allocation: run() calls it.
DesignSettings SettingsFromControls(const float* const* controls);

// The settings of the controls' defaults.
DesignSettings DefaultSettings();

// The design for the settings at the rate, or one of no sections when the core refuses
// it (a shelf above the turnover, a rumble corner below 1 Hz, a rate it does not
// support). A tolerance no cascade of up to four sections meets gives the closest of
// them, as apply takes it.
DesignedFilter DesignFilter(const DesignSettings& settings, double samplingFrequency);
