// An open-addressing table over the words' bytes, kept in one arena, with linear probing.
#include "engine/WordCounts.h"

#include <cstring>

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

std::uint64_t mixed(std::uint64_t value)
{
    value ^= value >> 33;
    value *= 0xff51afd7ed558ccdULL;
    value ^= value >> 33;
    value *= 0xc4ceb9fe1a85ec53ULL;
    value ^= value >> 33;
    return value;
}
} // namespace

WordCounts::WordCounts()
    : slots_(firstSlotCount, 0)
    , mask_(firstSlotCount - 1)
{ }

// Eight bytes at a time; the last one to eight bytes are read by overlapping loads, never past the word.
std::uint64_t WordCounts::hashOf(QByteArrayView word)
{
    const char* at = word.data();
    std::size_t left = std::size_t(word.size());
    std::uint64_t hash = 0x9e3779b97f4a7c15ULL ^ left;
    for (; left > 8; at += 8, left -= 8)
        hash = (hash ^ load64(at)) * 0x9fb21c651e98df25ULL;
    std::uint64_t last = 0;
    if (left >= 4)
        last = (load32(at) << 32) | load32(at + left - 4);
    else if (left > 0)
        last = (std::uint64_t(std::uint8_t(at[0])) << 16) | (std::uint64_t(std::uint8_t(at[left / 2])) << 8)
            | std::uint8_t(at[left - 1]);
    return mixed(hash ^ last);
}

bool WordCounts::add(QByteArrayView word, std::uint64_t count)
{
    Entry& entry = find(word, std::uint32_t(hashOf(word) >> 32));
    if (entry.count + count < entry.count)
        return false;
    entry.count += count;
    return true;
}

bool WordCounts::addAll(const WordCounts& other)
{
    for (const Entry& theirs : other.entries_) {
        Entry& entry = find(other.word(theirs), theirs.hash);
        if (entry.count + theirs.count < entry.count)
            return false;
        entry.count += theirs.count;
    }
    return true;
}

void WordCounts::clear()
{
    *this = WordCounts();
}

WordCounts::Entry& WordCounts::find(QByteArrayView word, std::uint32_t hash)
{
    for (std::uint64_t slot = hash & mask_;; slot = (slot + 1) & mask_) {
        const std::uint64_t held = slots_[slot];
        if (held == 0)
            break;
        if (std::uint32_t(held >> 32) != hash)
            continue;
        Entry& entry = entries_[std::uint32_t(held) - 1];
        if (entry.length == std::uint64_t(word.size())
            && std::memcmp(bytes_.data() + entry.offset, word.data(), std::size_t(word.size())) == 0)
            return entry;
    }
    // New: the table is kept at most half full.
    if ((entries_.size() + 1) * 2 > slots_.size())
        grow();
    entries_.push_back({0, bytes_.size(), std::uint64_t(word.size()), hash});
    bytes_.insert(bytes_.end(), word.begin(), word.end());
    std::uint64_t slot = hash & mask_;
    while (slots_[slot] != 0)
        slot = (slot + 1) & mask_;
    slots_[slot] = (std::uint64_t(hash) << 32) | entries_.size();
    return entries_.back();
}

void WordCounts::grow()
{
    slots_.assign(slots_.size() * 2, 0);
    mask_ = slots_.size() - 1;
    for (std::size_t index = 0; index < entries_.size(); ++index) {
        std::uint64_t slot = entries_[index].hash & mask_;
        while (slots_[slot] != 0)
            slot = (slot + 1) & mask_;
        slots_[slot] = (std::uint64_t(entries_[index].hash) << 32) | (index + 1);
    }
}

} // namespace quillora
