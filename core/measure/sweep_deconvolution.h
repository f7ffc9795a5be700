#pragma once
// What a system did to a sweep: the recording deconvolved by the sweep that went in
// (spectral division, regularised where the sweep holds no energy), the impulse
// response windowed around its peak so that the harmonic distortion products, which an
// exponential sweep puts ahead of it, are left out, and the spectrum of what remains.

#include <cstddef>
#include <vector>

struct MeasuredResponse {
    double samplingRate = 0.0;
    double binHz = 0.0;           // the spacing of the spectrum's points
    std::vector<double> power;    // |H|² at k·binHz, from DC to fs/2
    std::vector<double> summedPower;  // power[0] + ... + power[k-1] at k, one more entry
    double latencySeconds = 0.0;  // where the impulse response peaks, after the sweep went in
};

// The longest overlap of recording and sweep that is measured: the deconvolution holds
// two spectra of twice its length, 2^23 frames (some 3 minutes at 48 kHz) half a gigabyte.
inline constexpr std::size_t kLongestMeasuredFrames = std::size_t{1} << 23;

// recording and reference are the same length (the caller trims them to their overlap),
// at samplingRate, and hold more than silence.
MeasuredResponse DeconvolveSweep(const std::vector<double>& recording,
                                 const std::vector<double>& reference, double samplingRate);

// The width over which MeasuredGainDb averages, in octaves.
inline constexpr double kSmoothingOctaves = 1.0 / 48.0;

// |H| in dB at frequencyHz (0 to fs/2): the power averaged over kSmoothingOctaves
// around it. The spectrum's points lie a few hundredths of a hertz apart and each
// carries its share of the recording's noise: the average shrinks the noise's ripple
// some fifteen times, and costs a smooth curve under 0.001 dB at RIAA's bends.
double MeasuredGainDb(const MeasuredResponse& response, double frequencyHz);
