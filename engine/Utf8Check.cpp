// Checks whole blocks with vector instructions where the processor has them, then walks the rest byte by byte,
// skipping runs of ASCII.
#include "engine/Utf8Check.h"

#include "engine/SimdKernels.h"
#include "engine/SimdScan.h"

#include <cstdint>
#include <cstring>

namespace quillora {

namespace {

// How long the sequence a lead byte starts is, and the range its second byte must be in; length 0 when the byte
// starts none.
struct SequenceShape
{
    int length = 0;
    unsigned char low = 0x80;
    unsigned char highest = 0xBF;
};

inline SequenceShape sequenceShape(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2};
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (lead == 0xE0)
            return {3, 0xA0}; // overlong
        if (lead == 0xED)
            return {3, 0x80, 0x9F}; // surrogates
        return {3};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (lead == 0xF0)
            return {4, 0x90}; // overlong
        if (lead == 0xF4)
            return {4, 0x80, 0x8F}; // past U+10FFFF
        return {4};
    }
    return {};
}

// True when the first available bytes of the sequence at at are as its shape asks.
inline bool wellFormedSoFar(const unsigned char* at, qsizetype available, SequenceShape shape)
{
    if (available >= 2 && (at[1] < shape.low || at[1] > shape.highest))
        return false;
    for (qsizetype i = 2; i < available; ++i) {
        if ((at[i] & 0xC0) != 0x80)
            return false;
    }
    return true;
}

qsizetype checkUtf8PrefixByBytes(QByteArrayView bytes, Utf8Check& result)
{
    const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* at = begin;
    const auto* const end = at + bytes.size();
    while (at < end && result.valid) {
#ifdef QUILLORA_SSE2
        if (end - at >= 16) {
            // Skip straight to the first byte of 0x80 or more in the next sixteen.
            const unsigned mask = unsigned(_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at))));
            if (mask == 0) {
                at += 16;
                continue;
            }
            at += lowestSetBit(mask);
        }
#endif
        if (end - at >= 8) {
            std::uint64_t block;
            std::memcpy(&block, at, 8);
            if ((block & 0x8080808080808080ULL) == 0) {
                at += 8;
                continue;
            }
        }
        const unsigned char lead = *at;
        if (lead < 0x80) {
            ++at;
            continue;
        }
        result.hasMultibyte = true;
        const SequenceShape shape = sequenceShape(lead);
        // A sequence cut by the end of the bytes is left for the next call.
        const qsizetype available = qMin<qsizetype>(end - at, shape.length);
        if (shape.length == 0 || !wellFormedSoFar(at, available, shape)) {
            result.valid = false;
            break;
        }
        if (available < shape.length)
            break;
        at += shape.length;
    }
    return at - begin;
}

} // namespace

qsizetype checkUtf8Prefix(QByteArrayView bytes, Utf8Check& result)
{
    if (!result.valid)
        return 0;
    const qsizetype whole = qsizetype(simd::kernels().wholeUtf8Prefix(
        reinterpret_cast<const unsigned char*>(bytes.data()), std::size_t(bytes.size()), result.hasMultibyte));
    return whole + checkUtf8PrefixByBytes(bytes.sliced(whole), result);
}

Utf8Check checkUtf8(QByteArrayView bytes)
{
    Utf8Check result;
    if (checkUtf8Prefix(bytes, result) < bytes.size())
        result.valid = false;
    return result;
}

void Utf8Validator::feed(QByteArrayView bytes)
{
    qsizetype at = 0;
    // Finish a sequence cut by the end of the last piece, one byte at a time.
    while (check_.valid && pendingSize_ > 0 && pendingSize_ < 4 && at < bytes.size()) {
        pending_[pendingSize_++] = bytes[at++];
        if (checkUtf8Prefix(QByteArrayView(pending_, pendingSize_), check_) == pendingSize_)
            pendingSize_ = 0;
        else if (pendingSize_ == 4)
            check_.valid = false;
    }
    if (!check_.valid || at == bytes.size())
        return;
    const QByteArrayView rest = bytes.sliced(at);
    const qsizetype checked = checkUtf8Prefix(rest, check_);
    if (!check_.valid)
        return;
    pendingSize_ = rest.size() - checked;
    for (qsizetype i = 0; i < pendingSize_; ++i)
        pending_[i] = rest[checked + i];
}

Utf8Check Utf8Validator::finish()
{
    if (pendingSize_ > 0)
        check_.valid = false;
    return check_;
}

} // namespace quillora
