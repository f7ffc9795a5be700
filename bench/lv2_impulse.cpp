// The two halves of measuring the LV2 plugin through a real host (bench/lv2_plugin.sh):
//   lv2_impulse write RATE CHANNELS FILE.wav       a 0.5 full-scale impulse, one second
//   lv2_impulse deviation FILE.wav CURVE DIRECTION
// The second reads the host's output, takes its response by a direct Fourier sum at 400
// frequencies from 20 Hz to min(20 kHz, 0.46 fs), and prints the largest deviation in dB
// from the analogue curve (playback or recording), both 0 dB at 1 kHz, and the gain at
// 1 kHz in dB.

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

#include "curves/analogue_curve.h"
#include "curves/named_curves.h"

namespace {

constexpr double kHeight = 0.5;

int Write(int rate, int channels, const char* path) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path, SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "cannot write %s: %s\n", path, sf_strerror(nullptr));
        return 1;
    }
    std::vector<float> samples(static_cast<std::size_t>(rate) * channels, 0.0f);
    for (int c = 0; c < channels; ++c) samples[c] = static_cast<float>(kHeight);
    sf_writef_float(file, samples.data(), rate);
    sf_close(file);
    return 0;
}

double GainDb(const std::vector<double>& h, double rate, double hz) {
    const double w = 2.0 * std::numbers::pi * hz / rate;
    std::complex<double> sum = 0.0;
    const std::complex<double> step = std::polar(1.0, -w);
    std::complex<double> turn = 1.0;
    for (std::size_t n = 0; n < h.size(); ++n) {
        sum += h[n] * turn;
        turn *= step;
        if (n % 1024 == 1023) turn = std::polar(1.0, -w * static_cast<double>(n + 1));
    }
    return 20.0 * std::log10(std::abs(sum) / kHeight);
}

int Deviation(const char* path, const std::string& curveName, const std::string& direction) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return 1;
    }
    std::vector<float> frames(static_cast<std::size_t>(info.frames) * info.channels);
    sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    std::vector<double> h(static_cast<std::size_t>(info.frames));
    for (std::size_t n = 0; n < h.size(); ++n) h[n] = frames[n * info.channels];

    const NamedCurve* named = FindNamedCurve(curveName);
    if (!named) {
        std::fprintf(stderr, "no curve %s\n", curveName.c_str());
        return 1;
    }
    AnalogueCurve curve = CurveOf(*named);
    if (direction == "recording") curve = ReciprocalCurve(curve);
    const double rate = info.samplerate;
    const double top = std::min(20000.0, 0.46 * rate);
    const double atOneKilohertz = GainDb(h, rate, 1000.0);
    double largest = 0.0;
    constexpr int kPoints = 400;
    for (int i = 0; i < kPoints; ++i) {
        const double hz = 20.0 * std::pow(top / 20.0, i / double(kPoints - 1));
        const double deviation =
            GainDb(h, rate, hz) - atOneKilohertz - AnalogueGainDbRe1k(curve, hz);
        largest = std::max(largest, std::fabs(deviation));
    }
    std::printf("%.6f %.6f\n", largest, atOneKilohertz);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "write" && argc == 5) return Write(std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
    if (mode == "deviation" && argc == 5) return Deviation(argv[2], argv[3], argv[4]);
    std::fprintf(stderr,
                 "usage: lv2_impulse write RATE CHANNELS FILE.wav\n"
                 "       lv2_impulse deviation FILE.wav CURVE playback|recording\n");
    return 2;
}
