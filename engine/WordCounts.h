// The distinct words of a text with how often each occurs, in the order each first appeared.
#pragma once

#include <QByteArrayView>
#include <cstdint>
#include <vector>

namespace quillora {

// Words are byte strings (UTF-8); the memory grows with the number of distinct words, not with the text.
class WordCounts
{
public:
    // One distinct word; its bytes are in the table's arena.
    struct Entry
    {
        std::uint64_t count;
        std::uint64_t offset;
        std::uint64_t length;
        std::uint32_t hash;
    };

    WordCounts();
    // Adds count occurrences of word; false when its total would pass 2^64 - 1, which leaves it as it was.
    bool add(QByteArrayView word, std::uint64_t count = 1);
    // Adds every word of other, those new here in their order there; false when a total would overflow (the words
    // before it are added).
    bool addAll(const WordCounts& other);
    void clear();

    std::size_t size() const { return entries_.size(); }
    bool isEmpty() const { return entries_.empty(); }
    // In the order of first appearance.
    const std::vector<Entry>& entries() const { return entries_; }
    QByteArrayView word(const Entry& entry) const
    {
        return QByteArrayView(bytes_.data() + entry.offset, qsizetype(entry.length));
    }

private:
    static std::uint64_t hashOf(QByteArrayView word);
    // The entry holding word, added with a zero count when it is new.
    Entry& find(QByteArrayView word, std::uint32_t hash);
    void grow();

    // Per slot: 0 when empty, else the entry's index + 1 in the low half and its hash's low half above.
    std::vector<std::uint64_t> slots_;
    std::uint64_t mask_ = 0;
    std::vector<Entry> entries_;
    std::vector<char> bytes_;
};

} // namespace quillora
