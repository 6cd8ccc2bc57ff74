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

    WordCounts& counts_;
    bool foldCase_;
    // The start of a word cut by the end of a piece.
    QByteArray carried_;
    QByteArray folded_;
};

} // namespace quillora
