// Splits converted text at its line breaks; a converted text holds no spaces, so its lines are its words.
#include "engine/ConvertedWords.h"

#include "engine/CaseFolding.h"
#include "platform/Failure.h"

#include <bit>
#include <cstring>

namespace quillora {

namespace {
bool isBreak(char byte)
{
    return byte == '\n' || byte == '\r';
}

// 0x80 in each byte of value that is zero, 0 in the others.
std::uint64_t zeroBytes(std::uint64_t value)
{
    constexpr std::uint64_t low7 = 0x7f7f7f7f7f7f7f7fULL;
    return ~(((value & low7) + low7) | value | low7);
}

// Calls found(position) for each CR and LF in [0, size) of bytes, in order; eight bytes at a time where the bytes of
// a number are stored lowest first.
template <typename Found> void forEachBreak(const char* bytes, qsizetype size, Found&& found)
{
    qsizetype at = 0;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t lineFeeds = 0x0a0a0a0a0a0a0a0aULL;
        constexpr std::uint64_t returns = 0x0d0d0d0d0d0d0d0dULL;
        for (; at + 8 <= size; at += 8) {
            std::uint64_t eight;
            std::memcpy(&eight, bytes + at, sizeof eight);
            for (std::uint64_t breaks = zeroBytes(eight ^ lineFeeds) | zeroBytes(eight ^ returns); breaks != 0;
                 breaks &= breaks - 1)
                found(at + std::countr_zero(breaks) / 8);
        }
    }
    for (; at < size; ++at)
        if (isBreak(bytes[at]))
            found(at);
}
} // namespace

ConvertedWords::ConvertedWords(WordCounts& counts, bool foldCase)
    : counts_(counts)
    , foldCase_(foldCase)
    , behind_(counts)
{ }

void ConvertedWords::feed(QByteArrayView piece)
{
    WordBatch& batch = batches_[filling_];
    batch.words.clear();
    batch.bytes.assign(carried_.begin(), carried_.end());
    batch.bytes.insert(batch.bytes.end(), piece.begin(), piece.end());
    qsizetype start = 0;
    forEachBreak(batch.bytes.data(), qsizetype(batch.bytes.size()), [&](qsizetype at) {
        if (at > start)
            place(batch, start, at);
        start = at + 1;
    });
    carried_.assign(batch.bytes.begin() + start, batch.bytes.end());
    hand(batch);
}

void ConvertedWords::finish()
{
    WordBatch& batch = batches_[filling_];
    batch.words.clear();
    batch.bytes.swap(carried_);
    carried_.clear();
    if (!batch.bytes.empty())
        place(batch, 0, qsizetype(batch.bytes.size()));
    hand(batch);
    behind_.finish();
}

void ConvertedWords::restart()
{
    behind_.finish();
    carried_.clear();
    counts_.clear();
}

void ConvertedWords::place(WordBatch& batch, qsizetype start, qsizetype end)
{
    const QByteArrayView word(batch.bytes.data() + start, end - start);
    if (word.size() > WordCounts::longestWord)
        throw WordCounts::tooLarge();
    // A word counted folded is hashed once folded.
    batch.words.push_back({start, std::uint32_t(word.size()), foldCase_ ? 0 : WordCounts::hashOf(word)});
}

void ConvertedWords::hand(WordBatch& batch)
{
    batch.inFolded = foldCase_;
    if (foldCase_) {
        batch.folded.clear();
        for (WordBatch::Word& word : batch.words) {
            caseFoldUtf8(QByteArrayView(batch.bytes.data() + word.offset, qsizetype(word.length)), folded_);
            if (folded_.size() > WordCounts::longestWord)
                throw WordCounts::tooLarge();
            word = {qsizetype(batch.folded.size()), std::uint32_t(folded_.size()), WordCounts::hashOf(folded_)};
            batch.folded.insert(batch.folded.end(), folded_.begin(), folded_.end());
        }
    }
    behind_.count(batch);
    filling_ = 1 - filling_;
}

} // namespace quillora
