// The loops for processors without vector instructions, and the reference every vector level must answer as.
#include "engine/SimdKernels.h"
#include "engine/WordsToLinesRule.h"

namespace {

std::size_t noWholeUtf8Prefix(const unsigned char*, std::size_t, bool&)
{
    return 0;
}

} // namespace

namespace quillora::simd {

const Kernels& scalarKernels()
{
    static constexpr Kernels table = {
        noWholeUtf8Prefix,
        [](const char* at, const char* end, char* out, WordProgress& progress) {
            return convertScalar(at, end, out, progress, copyByte);
        },
        [](const char* at, const char* end, char* out, WordProgress& progress) {
            return convertScalar(at, end, out, progress, encodeWindows1252);
        },
        [](const char16_t* at, const char16_t* end, char* out, WordProgress& progress) {
            return convertScalar(at, end, out, progress, encodeUtf16);
        },
        textToLinesScalar,
    };
    return table;
}

} // namespace quillora::simd
