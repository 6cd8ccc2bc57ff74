// The words of one converted piece, each with its hash, gathered to be counted together.
#pragma once

#include "engine/WordCounts.h"

#include <vector>

namespace quillora {

struct WordBatch
{
    using Word = WordCounts::PlacedWord;

    std::vector<Word> words;
    // A copy of the piece, after the end of a word the piece before cut: the piece may be refilled before its words
    // are counted.
    std::vector<char> bytes;
    // The words folded, where they are counted folded; the words' offsets are then in this.
    std::vector<char> folded;
    bool inFolded = false;

    // Adds one occurrence of each word to counts.
    void countInto(WordCounts& counts) const
    {
        counts.addEach((inFolded ? folded : bytes).data(), words.data(), words.size());
    }
};

} // namespace quillora
