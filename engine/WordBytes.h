// Reading a word's bytes as numbers, for hashing and comparing short words without a call.
#pragma once

#include <QByteArrayView>
#include <cstdint>
#include <cstring>

namespace quillora::wordbytes {

inline std::uint64_t load64(const char* at)
{
    std::uint64_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

inline std::uint64_t load32(const char* at)
{
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// The last one to eight bytes of a word, read by overlapping loads that never pass its end; with the length, it
// tells words of up to eight bytes apart.
inline std::uint64_t tailOf(const char* at, std::size_t left)
{
    if (left >= 4)
        return (load32(at) << 32) | load32(at + left - 4);
    if (left > 0)
        return (std::uint64_t(std::uint8_t(at[0])) << 16) | (std::uint64_t(std::uint8_t(at[left / 2])) << 8)
            | std::uint8_t(at[left - 1]);
    return 0;
}

// Eight bytes at a time, then the tail.
inline std::uint32_t hashOf(QByteArrayView word)
{
    const char* at = word.data();
    std::size_t left = std::size_t(word.size());
    std::uint64_t hash = 0x9e3779b97f4a7c15ULL ^ left;
    for (; left > 8; at += 8, left -= 8)
        hash = (hash ^ load64(at)) * 0x9fb21c651e98df25ULL;
    hash ^= tailOf(at, left);
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53ULL;
    return std::uint32_t(hash >> 32);
}

// Whether two words of the same length are equal; short ones by overlapping loads instead of a call.
inline bool sameWord(const char* left, const char* right, std::size_t length)
{
    if (length <= 8)
        return tailOf(left, length) == tailOf(right, length);
    if (length <= 16)
        return load64(left) == load64(right) && load64(left + length - 8) == load64(right + length - 8);
    return std::memcmp(left, right, length) == 0;
}

} // namespace quillora::wordbytes
