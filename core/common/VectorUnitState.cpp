#include "common/VectorUnitState.h"

namespace wavory {

#if defined(__x86_64__) || defined(__i386__)

namespace {

__attribute__((target("avx"))) void zeroUpperHalves() {
    __builtin_ia32_vzeroupper();
}

bool processorHasAvx() {
    static const bool has = __builtin_cpu_supports("avx");
    return has;
}

} // namespace

void clearUpperVectorState() {
    if (processorHasAvx())
        zeroUpperHalves();
}

#else

void clearUpperVectorState() {}

#endif

} // namespace wavory
