#pragma once
// What a system did to a sweep: the recording deconvolved by the sweep that went in
// (spectral division, regularised where the sweep holds no energy), the impulse
// response windowed around its peak so that the harmonic distortion products, which an
// exponential sweep puts ahead of it, are left out, and the spectrum of what remains.

#include <cstddef>
#include <vector>

struct MeasuredResponse {
    double samplingRate = 0.0;
    double binHz = 0.0;           // the spacing of gainDb
    std::vector<double> gainDb;   // |H| in dB at k·binHz, from DC to fs/2
    double latencySeconds = 0.0;  // where the impulse response peaks, after the sweep went in
};

// recording and reference are the same length (the caller trims them to their overlap),
// at samplingRate, and hold more than silence.
MeasuredResponse DeconvolveSweep(const std::vector<double>& recording,
                                 const std::vector<double>& reference, double samplingRate);

// |H| in dB at frequencyHz (0 to fs/2), between the two nearest points.
double MeasuredGainDb(const MeasuredResponse& response, double frequencyHz);
