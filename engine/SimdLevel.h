// Which vector instructions the text loops use: the best the processor has, or less where a test asks for it.
#pragma once

namespace quillora {

enum class SimdLevel
{
    Scalar,
    Sse2,
    Avx2
};

// The level in use: the best the processor offers, at most the limit set below.
SimdLevel simdLevel();
// The best level the processor offers.
SimdLevel processorSimdLevel();
// Caps the level for the whole process, so that each path can be run on the same input.
void limitSimdLevel(SimdLevel highest);

} // namespace quillora
