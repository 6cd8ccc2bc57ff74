// An open-addressing table with linear probing; a short word is compared within its slot, never through a pointer.
#include "engine/WordCounts.h"

#include "platform/Failure.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace quillora {

namespace {
constexpr std::size_t firstSlotCount = 1024;

std::uint64_t load64(const char* at)
{
    std::uint64_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

std::uint64_t load32(const char* at)
{
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// The last one to eight bytes of a word, read by overlapping loads that never pass its end.
std::uint64_t tailOf(const char* at, std::size_t left)
{
    if (left >= 4)
        return (load32(at) << 32) | load32(at + left - 4);
    if (left > 0)
        return (std::uint64_t(std::uint8_t(at[0])) << 16) | (std::uint64_t(std::uint8_t(at[left / 2])) << 8)
            | std::uint8_t(at[left - 1]);
    return 0;
}

} // namespace

std::uint32_t WordCounts::hashOf(QByteArrayView word)
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

namespace {

// Whether two words of the same length are equal; short ones by overlapping loads instead of a call.
bool sameWord(const char* left, const char* right, std::size_t length)
{
    if (length <= 8)
        return tailOf(left, length) == tailOf(right, length);
    if (length <= 16)
        return load64(left) == load64(right) && load64(left + length - 8) == load64(right + length - 8);
    return std::memcmp(left, right, length) == 0;
}
} // namespace

WordCounts::WordCounts()
    : slots_(firstSlotCount, Slot{})
    , mask_(firstSlotCount - 1)
{ }

QByteArrayView WordCounts::word(const Slot& slot) const
{
    const char* bytes = slot.length <= inlineBytes ? slot.bytes : arena_.data() + load64(slot.bytes);
    return QByteArrayView(bytes, qsizetype(slot.length));
}

bool WordCounts::add(QByteArrayView word, std::uint32_t hash, std::uint64_t count)
{
    Slot& slot = find(word, hash);
    if (slot.count + count < slot.count)
        return false;
    slot.count += count;
    return true;
}

bool WordCounts::addAll(const WordCounts& other)
{
    for (const Counted& counted : other.inFirstAppearanceOrder())
        if (!add(counted.word, counted.count))
            return false;
    return true;
}

void WordCounts::clear()
{
    *this = WordCounts();
}

std::vector<WordCounts::Counted> WordCounts::inFirstAppearanceOrder() const
{
    std::vector<Counted> counted(size_);
    for (const Slot& slot : slots_)
        if (slot.order != 0)
            counted[slot.order - 1] = {word(slot), slot.count};
    return counted;
}

WordCounts::Slot& WordCounts::find(QByteArrayView word, std::uint32_t hash)
{
    const std::size_t length = std::size_t(word.size());
    for (std::size_t index = hash & mask_;; index = (index + 1) & mask_) {
        Slot& slot = slots_[index];
        if (slot.order == 0)
            break;
        if (slot.hash != hash || slot.length != length)
            continue;
        if (sameWord(length <= inlineBytes ? slot.bytes : arena_.data() + load64(slot.bytes), word.data(), length))
            return slot;
    }
    if (length > std::numeric_limits<std::uint32_t>::max() || size_ >= std::numeric_limits<std::uint32_t>::max() - 1)
        throw Failure(QStringLiteral("a word of 4 GiB or more, or more than 4 billion words, left out"));
    // A new word: the table is kept at most 70% full.
    if ((size_ + 1) * 10 > slots_.size() * 7)
        grow();
    std::size_t index = hash & mask_;
    while (slots_[index].order != 0)
        index = (index + 1) & mask_;
    Slot& slot = slots_[index];
    slot.count = 0;
    slot.order = std::uint32_t(++size_);
    slot.hash = hash;
    slot.length = std::uint32_t(length);
    if (length <= inlineBytes) {
        std::memcpy(slot.bytes, word.data(), length);
    } else {
        const std::uint64_t offset = arena_.size();
        std::memcpy(slot.bytes, &offset, sizeof offset);
        arena_.insert(arena_.end(), word.begin(), word.end());
    }
    return slot;
}

void WordCounts::grow()
{
    std::vector<Slot> old(slots_.size() * 2, Slot{});
    old.swap(slots_);
    mask_ = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.order == 0)
            continue;
        std::size_t index = slot.hash & mask_;
        while (slots_[index].order != 0)
            index = (index + 1) & mask_;
        slots_[index] = slot;
    }
}

} // namespace quillora
