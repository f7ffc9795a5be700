#define VORLEXI_KERNELS portable_kernels
#include "cascade_kernels.inc"
