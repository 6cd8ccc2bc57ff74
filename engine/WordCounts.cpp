// An open-addressing table with linear probing; a short word is compared within its slot, never through a pointer.
#include "engine/WordCounts.h"

#include "engine/WordBytes.h"
#include "platform/Failure.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace quillora {

namespace {
constexpr std::size_t firstSlotCount = 1024;

using wordbytes::load64;
using wordbytes::sameWord;
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

void WordCounts::addEach(const char* bytes, const PlacedWord* words, std::size_t count)
{
    constexpr std::size_t ahead = 16;
    for (std::size_t index = 0; index < count; ++index) {
        if (index + ahead < count)
            prefetch(words[index + ahead].hash);
        const PlacedWord& word = words[index];
        ++find(QByteArrayView(bytes + word.offset, word.length), word.hash).count;
    }
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
        throw tooLarge();
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
