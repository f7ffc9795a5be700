// Built with -mavx2 -mfma -ffp-contract=fast, so that every a*b + c of the loops is one
// fused step; called only where the processor has both.
#define VORLEXI_KERNELS fma_kernels
#include "cascade_kernels.inc"

bool fma_kernels::Available() {
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
}
