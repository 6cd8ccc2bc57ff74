// The conversion loops of one instruction set each, gathered in a table per
// level, and the one place where the level in use picks its table.
#pragma once

#include "engine/LineBreak.h"
#include "engine/WordProgress.h"

#include <QtGlobal>
#include <cstddef>

namespace quillora::simd {

struct Kernels
{
    // The length of a prefix of data made of whole well-formed UTF-8 sequences,
    // found a block at a time; the rest (an ill-formed sequence, a sequence cut
    // by a block, or the last bytes) is left for the byte-wise check. Sets
    // sawHigh when the prefix holds a byte of 0x80 or more.
    std::size_t (*wholeUtf8Prefix)(const unsigned char* data, std::size_t size, bool& sawHigh);
    // Each writes the UTF-8 pieces of [at, end) cut at spaces, with CR LF between
    // them, at out, going on from progress, and returns the end of the output.
    // Out holds three bytes a unit (two a byte from UTF-8) and 64 more.
    char* (*fromUtf8)(const char* at, const char* end, char* out, WordProgress& progress);
    char* (*fromWindows1252)(const char* at, const char* end, char* out, WordProgress& progress);
    char* (*fromUtf16)(const char16_t* at, const char16_t* end, char* out, WordProgress& progress);
    // The rule on UTF-16 text held whole: writes at out, which holds 1.5 size +
    // 18 units, and returns how many.
    qsizetype (*textToLines)(const char16_t* in, qsizetype size, char16_t* out);
};

// The loops of each level; a level above the processor's must not be asked for.
const Kernels& scalarKernels();
const Kernels& sse2Kernels();
const Kernels& avx2Kernels();

// The AVX2 rule on UTF-16 text, built in a file of its own.
qsizetype textToLinesAvx2(const char16_t* in, qsizetype size, char16_t* out);

// The loops of simdLevel().
const Kernels& kernels();

// The loops that join the lines with LF alone: the scalar ones, so that the vector loops stay as they are for CR LF.
const Kernels& lfKernels();
// The loops of simdLevel() for CR LF, lfKernels() for LF.
const Kernels& kernels(LineBreak lineBreak);

} // namespace quillora::simd
