// The words of one converted piece, each with its hash, gathered to be counted together.
#pragma once

#include "engine/WordCounts.h"

#include <QByteArray>
#include <vector>

namespace quillora {

struct WordBatch
{
    struct Word
    {
        qsizetype offset;
        qsizetype length;
        std::uint32_t hash;
    };

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
    // Adds one occurrence of each word to counts, asking for the slots of the words ahead while it does.
    void countInto(WordCounts& counts) const
    {
        constexpr std::size_t ahead = 16;
        for (std::size_t index = 0; index < words.size(); ++index) {
            if (index + ahead < words.size())
                counts.prefetch(words[index + ahead].hash);
            counts.add(word(words[index]), words[index].hash, 1);
        }
    }
};

} // namespace quillora
