// The word-per-line rule one unit at a time, for each instruction set's loops to build on and finish with.
// Everything here has internal linkage, so no copy built for one instruction set can stand in for another's.
#pragma once

#include "engine/LineBreak.h"
#include "engine/Windows1252.h"
#include "engine/WordProgress.h"

#include <QtGlobal>

namespace {

using quillora::LineBreak;
using quillora::WordProgress;

// Writes one code point as UTF-8.
char* putCodePoint(char* out, char32_t code)
{
    if (code < 0x80) {
        *out++ = char(code);
        return out;
    }
    if (code < 0x800) {
        *out++ = char(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        *out++ = char(0xE0 | (code >> 12));
        *out++ = char(0x80 | ((code >> 6) & 0x3F));
    } else {
        *out++ = char(0xF0 | (code >> 18));
        *out++ = char(0x80 | ((code >> 12) & 0x3F));
        *out++ = char(0x80 | ((code >> 6) & 0x3F));
    }
    *out++ = char(0x80 | (code & 0x3F));
    return out;
}

// Converts a run of units to UTF-8 at out; Encode(out, at, end) writes the unit at 'at' (or the pair starting
// there) and returns how many units it used. Returns the end of the output.
template <LineBreak lineBreak = LineBreak::CrLf, typename Unit, typename Encode>
char* convertScalar(const Unit* at, const Unit* end, char* out, WordProgress& progress, Encode&& encode)
{
    while (at < end) {
        if (*at == Unit(' ')) {
            progress.breakPending = progress.wroteAny;
            ++at;
            continue;
        }
        if (progress.breakPending) {
            if constexpr (lineBreak == LineBreak::CrLf)
                *out++ = '\r';
            *out++ = '\n';
            progress.breakPending = false;
        }
        at += encode(out, at, end);
        progress.wroteAny = true;
    }
    return out;
}

qsizetype encodeUtf16(char*& out, const char16_t* at, const char16_t* end)
{
    const char16_t unit = *at;
    if (unit < 0x80) {
        *out++ = char(unit);
        return 1;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < end && at[1] >= 0xDC00 && at[1] <= 0xDFFF) {
        out = putCodePoint(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (at[1] - 0xDC00));
        return 2;
    }
    out = putCodePoint(out, unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
    return 1;
}

[[maybe_unused]] qsizetype copyByte(char*& out, const char* at, const char*)
{
    *out++ = *at;
    return 1;
}

qsizetype encodeWindows1252(char*& out, const char* at, const char*)
{
    const auto byte = static_cast<unsigned char>(*at);
    out = byte < 0x80 ? (*out = char(byte), out + 1) : putCodePoint(out, quillora::windows1252Character(byte));
    return 1;
}

// The rule on UTF-16 text held whole, a unit at a time: writes at out, which holds 1.5 size + 2 units, and returns
// how many units it wrote.
template <LineBreak lineBreak = LineBreak::CrLf>
qsizetype textToLinesScalar(const char16_t* in, qsizetype size, char16_t* const start)
{
    char16_t* out = start;
    bool breakPending = false;
    for (const char16_t* const end = in + size; in < end; ++in) {
        const char16_t unit = *in;
        if (unit == u' ') {
            breakPending = out != start;
            continue;
        }
        if (breakPending) {
            if constexpr (lineBreak == LineBreak::CrLf)
                *out++ = u'\r';
            *out++ = u'\n';
            breakPending = false;
        }
        *out++ = unit;
    }
    return out - start;
}

} // namespace
