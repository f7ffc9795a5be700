#include "cascade_filter.h"

#include <cmath>
#include <stdexcept>

#include "cascade_kernels.h"

namespace {

template <typename In, typename Out>
using Kernel = double (*)(const BiquadSection*, std::size_t, double*, int, const In*, Out*,
                          std::size_t);

template <typename In, typename Out>
Kernel<In, Out> ChooseKernel(bool fma) {
#ifdef VORLEXI_FMA_KERNELS
    if (fma) {
        return &fma_kernels::FilterInterleaved<In, Out>;
    }
#else
    (void)fma;
#endif
    return &portable_kernels::FilterInterleaved<In, Out>;
}

bool FmaAvailable() {
#ifdef VORLEXI_FMA_KERNELS
    return fma_kernels::Available();
#else
    return false;
#endif
}

}  // namespace

CascadeFilter::CascadeFilter(const Cascade& cascade, int channels, Loops loops)
    : sections_(cascade.sections),
      channels_(channels),
      fma_(loops == Loops::Fastest && FmaAvailable()) {
    if (channels < 1) {
        throw std::invalid_argument("CascadeFilter: a signal has at least one channel");
    }
    if (sections_.empty()) {
        throw std::invalid_argument("CascadeFilter: a cascade has at least one section");
    }
    Reset();
}

void CascadeFilter::Reset() {
    state_.assign(static_cast<std::size_t>(channels_) * (2 + 2 * sections_.size()), 0.0);
}

bool CascadeFilter::StateIsFinite() const {
    for (double value : state_) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return true;
}

template <typename In, typename Out>
double CascadeFilter::Run(const In* in, Out* out, std::size_t frames) {
    return ChooseKernel<In, Out>(fma_)(sections_.data(), sections_.size(), state_.data(), channels_,
                                       in, out, frames);
}

double CascadeFilter::Process(const float* in, float* out, std::size_t frames) {
    return Run(in, out, frames);
}
double CascadeFilter::Process(const float* in, double* out, std::size_t frames) {
    return Run(in, out, frames);
}
double CascadeFilter::Process(const double* in, float* out, std::size_t frames) {
    return Run(in, out, frames);
}
double CascadeFilter::Process(const double* in, double* out, std::size_t frames) {
    return Run(in, out, frames);
}
