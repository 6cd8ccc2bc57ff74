// Decodes text in an ANSI code page given piece by piece: a character cut between two pieces comes out whole.
#pragma once

#include "engine/AnsiCodePage.h"

#include <QByteArrayView>
#include <QString>
#include <memory>

class QStringDecoder;

namespace quillora {

struct SingleByteTable;

class AnsiDecoder
{
public:
    explicit AnsiDecoder(AnsiCodePage page);
    ~AnsiDecoder();

    // The most UTF-8 bytes that toUtf8 writes for a piece of the given size.
    static qsizetype utf8Capacity(qsizetype pieceSize) { return 3 * pieceSize + 16; }

    // Whether every byte is a character of its own, so that no piece ever cuts one.
    bool singleByte() const { return table_ != nullptr; }

    QString toUtf16(QByteArrayView piece);
    // Writes the UTF-8 of the decoded piece at out, which holds utf8Capacity(piece.size()) bytes; returns its end.
    char* toUtf8(QByteArrayView piece, char* out);
    // Ends the text: a character that the last piece left incomplete comes out as the converter's substitute
    // instead of being dropped. Empty when nothing was left.
    QString finish();

private:
    const SingleByteTable* table_ = nullptr;
    std::unique_ptr<QStringDecoder> decoder_;
};

// The whole text of bytes in the code page.
QString decodeAnsi(QByteArrayView bytes, AnsiCodePage page);

} // namespace quillora
