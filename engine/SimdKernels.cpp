// Picks the loops of the vector level in use.
#include "engine/SimdKernels.h"

#include "engine/SimdLevel.h"

namespace quillora::simd {

const Kernels& kernels()
{
    switch (simdLevel()) {
#if defined(__x86_64__) || defined(_M_X64)
    case SimdLevel::Avx2:
        return avx2Kernels();
    case SimdLevel::Sse2:
        return sse2Kernels();
#endif
    default:
        return scalarKernels();
    }
}

const Kernels& kernels(LineBreak lineBreak)
{
    return lineBreak == LineBreak::Lf ? lfKernels() : kernels();
}

} // namespace quillora::simd
