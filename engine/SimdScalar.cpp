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

namespace {
// The rule a unit at a time, with lineBreak between the lines.
template <LineBreak lineBreak> const Kernels& scalarKernelsJoinedBy()
{
    static constexpr Kernels table = {
        noWholeUtf8Prefix,
        [](const char* at, const char* end, char* out, WordProgress& progress) {
            return convertScalar<lineBreak>(at, end, out, progress, copyByte);
        },
        [](const char* at, const char* end, char* out, WordProgress& progress) {
            return convertScalar<lineBreak>(at, end, out, progress, encodeWindows1252);
        },
        [](const char16_t* at, const char16_t* end, char* out, WordProgress& progress) {
            return convertScalar<lineBreak>(at, end, out, progress, encodeUtf16);
        },
        textToLinesScalar<lineBreak>,
    };
    return table;
}
} // namespace

const Kernels& scalarKernels()
{
    return scalarKernelsJoinedBy<LineBreak::CrLf>();
}

const Kernels& lfKernels()
{
    return scalarKernelsJoinedBy<LineBreak::Lf>();
}

} // namespace quillora::simd
