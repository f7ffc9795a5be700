#pragma once
// Text that runs a designed cascade in other audio programs. Every coefficient is
// written with 17 significant digits, so it reads back to the very same double, and
// without the user's locale. The coefficients hold only at the sampling frequency
// they were designed for.
//
// Each section is H(z) = (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2) with
// a0 = 1, and the sections run in the cascade's order, the first (which carries the
// gain) first. Sign conventions, for --help:
//   SoX       `biquad b0 b1 b2 a0 a1 a2`: the denominator as stored (a1, a2 with their
//             own signs), one effect per section.
//   FFmpeg    `biquad=b0=…:…:a2=…:precision=f64`: the same convention, filters joined by
//             commas, each in double precision whatever the input's sample format.
//   CamillaDSP  Biquad of type Free: b0 b1 b2 a1 a2, the denominator as stored, a0 = 1
//             implied.
//   Nyquist   `biquad-m`: b0 b1 b2 a0 a1 a2 as stored (unlike Nyquist's `biquad`, which
//             takes -a1 and -a2).
//   PipeWire  bq_raw (pipewire_export.h): b0 b1 b2 a0 a1 a2 as stored.

#include <string>

#include "response/cascade.h"

// "biquad b0 b1 b2 a0 a1 a2 [biquad …]": SoX effects, to append to a sox command line.
std::string FormatSoxEffect(const Cascade& cascade);

// "biquad=b0=…:b1=…:b2=…:a0=…:a1=…:a2=…:precision=f64[,biquad=…]": an FFmpeg filter
// chain for -af.
std::string FormatFfmpegFilter(const Cascade& cascade);

// CamillaDSP 3 runs one pipeline step on a list of channels (`channels: [0, 1]`);
// CamillaDSP 2 takes one step per channel (`channel: 0`).
enum class CamillaDspVersion { V2, V3 };

// A CamillaDSP configuration fragment: a `filters:` block with one Biquad filter of
// type Free per section (named `name`, or name_1, name_2, … for several), a comment
// naming the designed rate as the `devices:` section holds it (`samplerate:`), and the
// `pipeline:` Filter steps that run them in order on channels 0 and 1, in that version's
// form.
std::string FormatCamillaDspFilter(const Cascade& cascade, double samplingFrequency,
                                   const std::string& name,
                                   CamillaDspVersion version = CamillaDspVersion::V3);

// One expression for Audacity's Nyquist prompt: filters the selected track (*track*)
// with nested biquad-m calls, the first section innermost, or returns an error message
// when the track's rate is not the designed one.
std::string FormatNyquistLine(const Cascade& cascade, double samplingFrequency);

// True when the cascade has a section and every coefficient is a finite number, so
// that an export makes sense.
bool HasFiniteCoefficients(const Cascade& cascade);

// A coefficient as every export writes it: 17 significant digits, locale-free.
std::string ExportedCoefficient(double value);
