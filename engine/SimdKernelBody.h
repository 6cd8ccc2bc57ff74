// The vector loops written once over a set of block operations; each
// instruction set's file supplies the operations and includes this. Everything
// here has internal linkage, so no copy built for one instruction set can stand
// in for another's.
#pragma once

#include "engine/SimdScan.h"
#include "engine/WordProgress.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

using quillora::WordProgress;

// Ops supplies: width, V, load, store, zero, splat, eq, signedGreater, atLeast
// (unsigned), bitAnd, bitOr, bitXor, highBits (one bit per byte),
// previous<N>(input, before) (input moved N bytes later, filled from before),
// and hasUtf8Errors(input, before), which may use utf8Errors, and
// checksEveryBlock (whether hasUtf8Errors is cheap enough to run on ASCII
// blocks too).
template <typename Ops> typename Ops::V utf8Errors(typename Ops::V input, typename Ops::V before)
{
    using V = typename Ops::V;
    const V p1 = Ops::template previous<1>(input, before);
    const V p2 = Ops::template previous<2>(input, before);
    const V p3 = Ops::template previous<3>(input, before);
    const auto s = [](unsigned byte) { return Ops::splat(static_cast<char>(byte)); };
    // A byte must be a continuation exactly when a lead byte opened a sequence
    // that is not yet complete.
    const V isContinuation = Ops::signedGreater(s(0xC0), input);
    const V needContinuation
        = Ops::bitOr(Ops::atLeast(p1, s(0xC0)), Ops::bitOr(Ops::atLeast(p2, s(0xE0)), Ops::atLeast(p3, s(0xF0))));
    V errors = Ops::bitXor(isContinuation, needContinuation);
    // The second byte's narrower range after E0 (overlong), ED (surrogates), F0
    // (overlong) and F4 (past U+10FFFF).
    errors = Ops::bitOr(errors, Ops::bitAnd(Ops::eq(p1, s(0xE0)), Ops::signedGreater(s(0xA0), input)));
    errors = Ops::bitOr(errors, Ops::bitAnd(Ops::eq(p1, s(0xED)), Ops::signedGreater(input, s(0x9F))));
    errors = Ops::bitOr(errors, Ops::bitAnd(Ops::eq(p1, s(0xF0)), Ops::signedGreater(s(0x90), input)));
    errors = Ops::bitOr(errors, Ops::bitAnd(Ops::eq(p1, s(0xF4)), Ops::signedGreater(input, s(0x8F))));
    // Lead bytes that never start a well-formed sequence: C0, C1 and F5 to FF.
    errors = Ops::bitOr(errors, Ops::eq(Ops::bitAnd(input, s(0xFE)), s(0xC0)));
    return Ops::bitOr(errors, Ops::atLeast(input, s(0xF5)));
}

template <typename Ops> std::size_t wholeUtf8Prefix(const unsigned char* data, std::size_t size, bool& sawHigh)
{
    using V = typename Ops::V;
    std::size_t at = 0;
    V before = Ops::zero();
    bool high = false;
    V seen = Ops::zero();
    while (size - at >= Ops::width) {
        const V input = Ops::load(data + at);
        if constexpr (Ops::checksEveryBlock) {
            // Cheaper than a branch on whether the block is ASCII, which text full of
            // short words mispredicts.
            if (Ops::hasUtf8Errors(input, before))
                break;
            seen = Ops::bitOr(seen, input);
        } else if (Ops::highBits(input) == 0) {
            // All ASCII: wrong only when the last block ended inside a sequence.
            if (at >= 3 && (data[at - 1] >= 0xC0 || data[at - 2] >= 0xE0 || data[at - 3] >= 0xF0))
                break;
        } else {
            if (Ops::hasUtf8Errors(input, before))
                break;
            high = true;
        }
        before = input;
        at += Ops::width;
    }
    // Leave a sequence that the last checked block may have cut to the byte-wise
    // check.
    for (std::size_t back = 1; back <= 3 && back <= at; ++back) {
        if (data[at - back] >= 0xC0) {
            at -= back;
            break;
        }
    }
    sawHigh = sawHigh || high || Ops::highBits(seen) != 0;
    return at;
}

template <typename Ops>
const char* splitWords(const char* at, const char* const end, char*& outRef, WordProgress& progress)
{
    const auto spaces = Ops::splat(' ');
    char* out = outRef;
    bool wroteAny = progress.wroteAny;
    bool breakPending = progress.breakPending;
    // Each piece is copied with a whole-block load from its start, so stay two
    // blocks short of the end.
    while (std::size_t(end - at) >= 2 * Ops::width) {
        std::uint32_t mask = Ops::highBits(Ops::eq(Ops::load(at), spaces));
        unsigned start = 0;
        while (true) {
            const unsigned stop = mask ? unsigned(quillora::lowestSetBit(mask)) : unsigned(Ops::width);
            // Written without branches: the CR LF is always stored and counted only
            // when due, the block is always copied and counted only as far as the
            // piece goes.
            const bool nonEmpty = stop > start;
            std::memcpy(out, "\r\n", 2);
            out += 2 * int(breakPending && nonEmpty);
            Ops::store(out, Ops::load(at + start));
            out += stop - start;
            wroteAny = wroteAny || nonEmpty;
            breakPending = breakPending && !nonEmpty;
            if (!mask)
                break;
            breakPending = wroteAny;
            mask &= mask - 1;
            start = stop + 1;
        }
        at += Ops::width;
    }
    progress.wroteAny = wroteAny;
    progress.breakPending = breakPending;
    outRef = out;
    return at;
}

} // namespace
