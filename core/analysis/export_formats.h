#pragma once
// Lines that run a designed biquad in other audio programs. Every coefficient is
// written with 17 significant digits, so it reads back to the very same double.
// The coefficients hold only at the sampling frequency they were designed for.
//
// Sign conventions, with H(z) = (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2):
// SoX's biquad, FFmpeg's biquad, CamillaDSP's Free biquad and Nyquist's biquad-m all
// take the denominator as stored here (a1, a2 with their own signs).

#include <string>

#include "riaa_design.h"

// "biquad b0 b1 b2 a0 a1 a2": a SoX effect, to append to a sox command line.
std::string FormatSoxEffect(const RiaaCoefficients& coefficients);

// "biquad=b0=…:b1=…:b2=…:a0=…:a1=…:a2=…": an FFmpeg filter for -af.
std::string FormatFfmpegFilter(const RiaaCoefficients& coefficients);

// A CamillaDSP `filters:` block with one filter `name` of type Biquad, parameters
// of type Free (normalised to a0 = 1), and a comment naming the designed rate.
std::string FormatCamillaDspFilter(const RiaaCoefficients& coefficients, double samplingFrequency,
                                   const std::string& name);

// One line for Audacity's Nyquist prompt: filters the selected track (*track*) with
// biquad-m, or returns an error message when the track's rate is not the designed one.
std::string FormatNyquistLine(const RiaaCoefficients& coefficients, double samplingFrequency);

// True when every coefficient is a finite number, so that an export makes sense.
bool HasFiniteCoefficients(const RiaaCoefficients& coefficients);
