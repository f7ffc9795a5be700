#include "measure/sweep_deconvolution.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "measure/fft.h"

namespace {

using Spectrum = std::vector<std::complex<double>>;

// Where the sweep holds less than this share of its largest power, the division is held
// back instead of lifting noise by a hundred dB. An exponential sweep's power falls 3 dB
// an octave and a recording curve tilts it by some 40 dB more over the audio band:
// that leaves every in-band bin a thousand times above the bound, and an error below
// 0.001 dB.
constexpr double kRegularisation = 1e-8;

// The window around the impulse response's peak, as shares of the recording's length.
// Ahead of the peak it must stop short of the second harmonic's response, which an
// exponential sweep puts ln(2)/ln(end/start) of the sweep's length ahead: about 0.09 of
// it for 10 Hz to 21.6 kHz, 0.076 at a rate of 192 kHz. Behind the peak it runs long
// enough for the slowest decay of a playback curve, and stops before the part where the
// sweep's own truncation and the noise land.
constexpr double kAheadShare = 1.0 / 32.0;
constexpr double kBehindShare = 1.0 / 2.0;
// The last share of each side is tapered (half a Hann window) rather than cut.
constexpr double kTaperShare = 0.5;

Spectrum Transform(const std::vector<double>& samples, std::size_t size) {
    Spectrum spectrum(size);
    std::copy(samples.begin(), samples.end(), spectrum.begin());
    Fft(spectrum);
    return spectrum;
}

// 1 over the inner part of a side, falling to 0 over its outer part.
double Taper(std::size_t distance, std::size_t side) {
    const double flat = (1.0 - kTaperShare) * static_cast<double>(side);
    const double d = static_cast<double>(distance);
    if (d <= flat) {
        return 1.0;
    }
    const double share = (d - flat) / (static_cast<double>(side) - flat);
    return share >= 1.0 ? 0.0 : 0.5 + 0.5 * std::cos(std::numbers::pi * share);
}

// Keeps the impulse response from `ahead` samples before the peak to `behind` after it
// (circularly, as the division leaves it), tapered at both ends.
void WindowAroundPeak(Spectrum& response, std::size_t peak, std::size_t ahead,
                      std::size_t behind) {
    const std::size_t size = response.size();
    Spectrum kept(size);
    for (std::size_t d = 0; d <= behind; ++d) {
        const std::size_t at = (peak + d) % size;
        kept[at] = response[at] * Taper(d, behind);
    }
    for (std::size_t d = 1; d <= ahead; ++d) {
        const std::size_t at = (peak + size - d) % size;
        kept[at] = response[at] * Taper(d, ahead);
    }
    response.swap(kept);
}

}  // namespace

MeasuredResponse DeconvolveSweep(const std::vector<double>& recording,
                                 const std::vector<double>& reference, double samplingRate) {
    const std::size_t length = std::max(recording.size(), reference.size());
    // Twice the length, so that the linear response and the distortion products ahead of
    // it do not wrap onto each other.
    const std::size_t size = PowerOfTwoAtLeast(2 * length);

    Spectrum response = Transform(recording, size);
    {
        const Spectrum sweep = Transform(reference, size);
        double largestPower = 0.0;
        for (const auto& bin : sweep) {
            largestPower = std::max(largestPower, std::norm(bin));
        }
        const double floor = kRegularisation * largestPower;
        for (std::size_t k = 0; k < size; ++k) {
            response[k] *= std::conj(sweep[k]) / (std::norm(sweep[k]) + floor);
        }
    }
    Fft(response, true);

    std::size_t peak = 0;
    for (std::size_t n = 1; n < size; ++n) {
        if (std::norm(response[n]) > std::norm(response[peak])) {
            peak = n;
        }
    }
    const double share = static_cast<double>(length);
    WindowAroundPeak(response, peak, static_cast<std::size_t>(kAheadShare * share),
                     static_cast<std::size_t>(kBehindShare * share));
    Fft(response);

    MeasuredResponse measured;
    measured.samplingRate = samplingRate;
    measured.binHz = samplingRate / static_cast<double>(size);
    measured.power.resize(size / 2 + 1);
    measured.summedPower.resize(size / 2 + 2);
    for (std::size_t k = 0; k <= size / 2; ++k) {
        measured.power[k] = std::norm(response[k]);
        measured.summedPower[k + 1] = measured.summedPower[k] + measured.power[k];
    }
    // A peak in the second half of the buffer is a response that came before the sweep:
    // a recording trimmed at its start.
    const double peakAt = peak < size / 2 ? static_cast<double>(peak)
                                          : static_cast<double>(peak) - static_cast<double>(size);
    measured.latencySeconds = peakAt / samplingRate;
    return measured;
}

namespace {

// The power summed from the spectrum's start up to `position` (in points), each point
// spread evenly over the half a spacing either side of it.
double PowerBelow(const MeasuredResponse& response, double position) {
    const double shifted = std::clamp(position + 0.5, 0.0, static_cast<double>(response.power.size()));
    const std::size_t whole = static_cast<std::size_t>(shifted);
    const double part = whole < response.power.size()
                            ? (shifted - static_cast<double>(whole)) * response.power[whole]
                            : 0.0;
    return response.summedPower[whole] + part;
}

}  // namespace

double MeasuredGainDb(const MeasuredResponse& response, double frequencyHz) {
    const double half = std::exp2(kSmoothingOctaves / 2.0);
    const double low = frequencyHz / half / response.binHz;
    const double high = frequencyHz * half / response.binHz;
    if (high - low < 1.0) {  // at a few hertz: the nearest point
        const double nearest = std::clamp(std::round(frequencyHz / response.binHz), 0.0,
                                          static_cast<double>(response.power.size() - 1));
        return 10.0 * std::log10(response.power[static_cast<std::size_t>(nearest)]);
    }
    return 10.0 * std::log10((PowerBelow(response, high) - PowerBelow(response, low)) /
                             (high - low));
}
