// The vector loops for one instruction set each: UTF-8 checking and word splitting, a block at a time.
#pragma once

#include <cstddef>

namespace quillora::simd {

// Whether anything was written, and whether a space has been seen since, so the next piece starts on a new line.
struct WordProgress
{
    bool wroteAny = false;
    bool breakPending = false;
};

// The length of a prefix of data made of whole well-formed UTF-8 sequences, found a block at a time; the rest
// (an ill-formed sequence, a sequence cut by a block, or the last bytes) is left for the byte-wise check. Sets
// sawHigh when the prefix holds a byte of 0x80 or more.
std::size_t wholeUtf8PrefixSse2(const unsigned char* data, std::size_t size, bool& sawHigh);
std::size_t wholeUtf8PrefixAvx2(const unsigned char* data, std::size_t size, bool& sawHigh);

// Splits UTF-8 bytes at spaces a block at a time, writing the pieces and the CR LF between them at out; stops
// fewer than two blocks (64 bytes at most) short of end, for the caller to finish. Writes up to 34 bytes past the
// returned output end. Returns where the input stopped and moves out past what was written.
const char* splitWordsSse2(const char* at, const char* end, char*& out, WordProgress& progress);
const char* splitWordsAvx2(const char* at, const char* end, char*& out, WordProgress& progress);

} // namespace quillora::simd
