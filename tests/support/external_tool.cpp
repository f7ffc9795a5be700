#include "external_tool.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorlexi-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a scratch folder");
    }
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WriteFloats(const std::string& path, const std::vector<float>& samples) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(samples.data()),
              static_cast<std::streamsize>(samples.size() * sizeof(float)));
}

std::vector<float> ReadFloats(const std::string& path) {
    const std::string bytes = ReadText(path);
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::copy(bytes.begin(),
              bytes.begin() + static_cast<std::ptrdiff_t>(samples.size() * sizeof(float)),
              reinterpret_cast<char*>(samples.data()));
    return samples;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int RunCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    if (status == -1 || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::vector<double> ImpulseResponse(const double (&b)[3], const double (&a)[3], double amplitude,
                                    std::size_t length) {
    std::vector<double> x(length, 0.0);
    std::vector<double> y(length, 0.0);
    if (length > 0) {
        x[0] = amplitude;
    }
    for (std::size_t n = 0; n < length; ++n) {
        double sum = 0.0;
        for (std::size_t k = 0; k < 3 && k <= n; ++k) {
            sum += b[k] * x[n - k];
            if (k > 0) {
                sum -= a[k] * y[n - k];
            }
        }
        y[n] = sum / a[0];
    }
    return y;
}

std::vector<double> CascadeImpulseResponse(const Cascade& cascade, double amplitude,
                                           std::size_t length, std::size_t sections) {
    std::vector<double> signal(length, 0.0);
    if (length > 0) {
        signal[0] = amplitude;
    }
    for (std::size_t k = 0; k < cascade.sections.size() && k < sections; ++k) {
        const BiquadSection& s = cascade.sections[k];
        std::vector<double> out(length, 0.0);
        for (std::size_t n = 0; n < length; ++n) {
            double sum = s.b0 * signal[n];
            if (n >= 1) sum += s.b1 * signal[n - 1] - s.a1 * out[n - 1];
            if (n >= 2) sum += s.b2 * signal[n - 2] - s.a2 * out[n - 2];
            out[n] = sum;
        }
        signal = std::move(out);
    }
    return signal;
}
