// The distinct words of a text with how often each occurs, in the order each first appeared.
#pragma once

#include "engine/WordBytes.h"
#include "platform/Failure.h"

#include <QByteArrayView>
#include <cstdint>
#include <vector>

namespace quillora {

// Words are byte strings (UTF-8); the memory grows with the number of distinct words, not with the text.
class WordCounts
{
public:
    struct Counted
    {
        QByteArrayView word;
        std::uint64_t count;
    };

    // A word among others in one block of bytes, with its hash.
    struct PlacedWord
    {
        qsizetype offset;
        std::uint32_t length;
        std::uint32_t hash;
    };

    // Words longer than this are refused with tooLarge().
    static constexpr qsizetype longestWord = 0xffffffff;
    static Failure tooLarge()
    {
        return Failure(QStringLiteral("a word of 4 GiB or more, or more than 4 billion words, left out"));
    }

    WordCounts();
    // Adds count occurrences of word; false when its total would pass 2^64 - 1, which leaves it as it was. Throws
    // Failure for a word of 4 GiB or more.
    bool add(QByteArrayView word, std::uint64_t count = 1) { return add(word, hashOf(word), count); }
    // The same with the word's hash, for a caller that looked ahead with prefetch.
    bool add(QByteArrayView word, std::uint32_t hash, std::uint64_t count);
    // Adds one occurrence of each of count words placed in bytes, asking for the slots of the words ahead while it
    // does.
    void addEach(const char* bytes, const PlacedWord* words, std::size_t count);
    static std::uint32_t hashOf(QByteArrayView word) { return wordbytes::hashOf(word); }
    // Asks for the memory where the word with this hash is looked for first; a batch of words read that way waits
    // on memory once rather than once per word.
    void prefetch(std::uint32_t hash) const
    {
#if defined(__GNUC__)
        __builtin_prefetch(&slots_[hash & mask_]);
#else
        (void)hash;
#endif
    }
    // Adds every word of other, those new here in their order there; false when a total would overflow (the words
    // before it are added).
    bool addAll(const WordCounts& other);
    void clear();

    std::size_t size() const
    {
        return size_;
    }
    bool isEmpty() const
    {
        return size_ == 0;
    }
    // Every word with its count, in the order of first appearance; the words stay valid until the table changes.
    std::vector<Counted> inFirstAppearanceOrder() const;

private:
    // A word of up to this many bytes is kept in its slot, a longer one in the arena.
    static constexpr std::uint32_t inlineBytes = 12;
    // One word per slot, so that finding a short word reads one cache line; 32 bytes.
    struct Slot
    {
        std::uint64_t count;
        // The word's place in the order of first appearance, counted from 1; 0 for an empty slot.
        std::uint32_t order;
        std::uint32_t hash;
        std::uint32_t length;
        // The word itself, or for a longer word where it starts in the arena.
        char bytes[inlineBytes];
    };
    static_assert(sizeof(Slot) == 32);

    QByteArrayView word(const Slot& slot) const;
    // The slot holding word, made with a zero count when the word is new.
    Slot& find(QByteArrayView word, std::uint32_t hash);
    void grow();

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    std::size_t size_ = 0;
    std::vector<char> arena_;
};

} // namespace quillora
