// Walks the bytes once, skipping runs of ASCII eight bytes at a time.
#include "engine/Utf8Check.h"

#include <cstdint>
#include <cstring>

namespace quillora {

Utf8Check checkUtf8(QByteArrayView bytes)
{
    Utf8Check result;
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = at + bytes.size();
    while (at < end) {
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
        int length = 0;
        unsigned char low = 0x80;
        unsigned char highest = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0; // overlong
            else if (lead == 0xED)
                highest = 0x9F; // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90; // overlong
            else if (lead == 0xF4)
                highest = 0x8F; // past U+10FFFF
        } else {
            result.valid = false;
            return result;
        }
        if (end - at < length) {
            result.valid = false;
            return result;
        }
        if (at[1] < low || at[1] > highest) {
            result.valid = false;
            return result;
        }
        for (int i = 2; i < length; ++i) {
            if ((at[i] & 0xC0) != 0x80) {
                result.valid = false;
                return result;
            }
        }
        at += length;
    }
    return result;
}

} // namespace quillora
