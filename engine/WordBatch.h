// The words of one converted piece, each with its hash, gathered to be counted together.
#pragma once

#include "engine/WordCounts.h"

#include <QByteArray>
#include <vector>

namespace quillora {

struct WordBatch
{
    using Word = WordCounts::PlacedWord;

    std::vector<Word> words;
    // A copy of the piece, after the end of a word the piece before cut: the piece may be refilled before its words
    // are counted.
    QByteArray bytes;
    // The words folded, where they are counted folded; the words' offsets are then in this.
    QByteArray folded;
    bool inFolded = false;

    QByteArrayView word(const Word& word) const
    {
        return QByteArrayView((inFolded ? folded : bytes).constData() + word.offset, word.length);
    }
    // Adds one occurrence of each word to counts.
    void countInto(WordCounts& counts) const
    {
        counts.addEach((inFolded ? folded : bytes).constData(), words.data(), words.size());
    }
};

} // namespace quillora
