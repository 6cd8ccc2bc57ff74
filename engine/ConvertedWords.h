// The words of a converted text handed over piece by piece, counted: its lines, split at CR and LF, empty ones
// dropped.
#pragma once

#include "engine/CountBehind.h"
#include "engine/WordBatch.h"

#include <QByteArray>

namespace quillora {

// A piece is copied, and its words split and hashed, here while those of the piece before are counted behind.
class ConvertedWords
{
public:
    // With foldCase each word is counted by its full Unicode case folding.
    explicit ConvertedWords(WordCounts& counts, bool foldCase = false);
    // Takes the next piece of the UTF-8 text; a word may run on into the next piece.
    void feed(QByteArrayView piece);
    // Counts a word the last piece left open, and waits until every word is counted. Throws what counting threw.
    void finish();
    // Forgets the words counted so far, for a text converted again from its start.
    void restart();

private:
    // Notes the word [start, end) of batch's bytes, hashed unless it is to be folded first.
    void place(WordBatch& batch, qsizetype start, qsizetype end);
    // Folds and hashes the words of batch where they are counted folded, and hands it to be counted.
    void hand(WordBatch& batch);

    WordCounts& counts_;
    bool foldCase_;
    // The start of a word cut by the end of a piece.
    std::vector<char> carried_;
    QByteArray folded_;
    // One batch is filled while the other is counted.
    WordBatch batches_[2];
    int filling_ = 0;
    CountBehind behind_;
};

} // namespace quillora
