// Single-byte code pages go through a table of their upper half, built once from Qt's converter (Windows-1252 from
// our own table, keeping its undefined bytes as C1 controls); multi-byte ones through a stateful Qt converter.
#include "engine/AnsiDecoder.h"

#include "engine/Windows1252.h"

#include <QStringDecoder>
#include <array>
#include <cstring>

namespace quillora {

struct SingleByteTable
{
    AnsiCodePage page;
    char16_t utf16[128];
    // The UTF-8 of every byte, ASCII included so the loop has no branch, padded to four bytes so it is copied in
    // one move, and its length.
    char utf8[256][4];
    unsigned char utf8Length[256];
};

namespace {

constexpr AnsiCodePage singleBytePages[] = {
    AnsiCodePage::Thai,   AnsiCodePage::CentralEuropean, AnsiCodePage::Cyrillic, AnsiCodePage::Western,
    AnsiCodePage::Greek,  AnsiCodePage::Turkish,         AnsiCodePage::Hebrew,   AnsiCodePage::Arabic,
    AnsiCodePage::Baltic, AnsiCodePage::Vietnamese,
};
constexpr size_t singleByteCount = std::size(singleBytePages);

SingleByteTable buildTable(AnsiCodePage page)
{
    SingleByteTable table{};
    table.page = page;
    QStringDecoder decoder(qtConverterName(page));
    for (int i = 0; i < 128; ++i) {
        table.utf8[i][0] = char(i);
        table.utf8Length[i] = 1;
    }
    for (int i = 0; i < 128; ++i) {
        const unsigned char byte = static_cast<unsigned char>(0x80 + i);
        char16_t character = 0xFFFD;
        if (page == AnsiCodePage::Western) {
            character = windows1252Character(byte);
        } else {
            const QString decoded = decoder.decode(QByteArrayView(reinterpret_cast<const char*>(&byte), 1));
            if (decoded.size() == 1)
                character = decoded.front().unicode();
        }
        table.utf16[i] = character;
        const QByteArray utf8 = QString(QChar(character)).toUtf8();
        std::memcpy(table.utf8[byte], utf8.constData(), size_t(utf8.size()));
        table.utf8Length[byte] = static_cast<unsigned char>(utf8.size());
    }
    return table;
}

const SingleByteTable* singleByteTable(AnsiCodePage page)
{
    static const std::array<SingleByteTable, singleByteCount> tables = [] {
        std::array<SingleByteTable, singleByteCount> built{};
        for (size_t i = 0; i < singleByteCount; ++i)
            built[i] = buildTable(singleBytePages[i]);
        return built;
    }();
    for (const SingleByteTable& table : tables) {
        if (table.page == page)
            return &table;
    }
    return nullptr;
}

} // namespace

AnsiDecoder::AnsiDecoder(AnsiCodePage page)
    : table_(singleByteTable(page))
{
    if (!table_)
        decoder_ = std::make_unique<QStringDecoder>(qtConverterName(page));
}

AnsiDecoder::~AnsiDecoder() = default;

QString AnsiDecoder::toUtf16(QByteArrayView piece)
{
    if (decoder_)
        return QString(decoder_->decode(piece));
    QString text(piece.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const char c : piece) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = byte < 0x80 ? char16_t(byte) : table_->utf16[byte - 0x80];
    }
    return text;
}

char* AnsiDecoder::toUtf8(QByteArrayView piece, char* out)
{
    if (decoder_) {
        const QByteArray utf8 = QString(decoder_->decode(piece)).toUtf8();
        std::memcpy(out, utf8.constData(), size_t(utf8.size()));
        return out + utf8.size();
    }
    for (const char c : piece) {
        const auto byte = static_cast<unsigned char>(c);
        std::memcpy(out, table_->utf8[byte], 4);
        out += table_->utf8Length[byte];
    }
    return out;
}

QString AnsiDecoder::finish()
{
    if (!decoder_)
        return QString();
    // A line feed is never the second byte of a character, so it ends whatever the converter still holds.
    QString rest = decoder_->decode(QByteArrayView("\n", 1));
    rest.chop(1);
    return rest;
}

QString decodeAnsi(QByteArrayView bytes, AnsiCodePage page)
{
    AnsiDecoder decoder(page);
    QString text = decoder.toUtf16(bytes);
    return text + decoder.finish();
}

} // namespace quillora
