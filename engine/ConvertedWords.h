// The words of a converted text handed over piece by piece, counted: its lines, split at CR and LF, empty ones
// dropped.
#pragma once

#include "engine/WordCounts.h"

#include <QByteArray>

namespace quillora {

class ConvertedWords
{
public:
    // With foldCase each word is counted by its full Unicode case folding.
    explicit ConvertedWords(WordCounts& counts, bool foldCase = false);
    // Takes the next piece of the UTF-8 text; a word may run on into the next piece.
    void feed(QByteArrayView piece);
    // Counts a word the last piece left open.
    void finish();
    // Forgets the words counted so far, for a text converted again from its start.
    void restart();

private:
    void count(QByteArrayView word);
    // Counts the words gathered so far.
    void countBatch();

    // Words are gathered and counted a batch at a time, their table slots asked for ahead.
    static constexpr int batchSize = 32;

    WordCounts& counts_;
    bool foldCase_;
    // The start of a word cut by the end of a piece.
    QByteArray carried_;
    QByteArray folded_;
    // The words of the batch: in the piece being fed, or in batchBytes_ when folded or carried over.
    struct Gathered
    {
        const char* start;
        qsizetype offset;
        qsizetype length;
        std::uint32_t hash;
    };
    Gathered batch_[batchSize];
    int gathered_ = 0;
    QByteArray batchBytes_;
};

} // namespace quillora
