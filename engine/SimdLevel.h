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

// Caps the level for the whole process while it lives, so that each path can be run on the same input; the cap
// in force before comes back when it ends, whichever way the scope is left.
class SimdLimit
{
public:
    explicit SimdLimit(SimdLevel highest);
    ~SimdLimit();
    SimdLimit(const SimdLimit&) = delete;
    SimdLimit& operator=(const SimdLimit&) = delete;

private:
    SimdLevel previous_;
};

} // namespace quillora
