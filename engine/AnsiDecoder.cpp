// Single-byte code pages go through a table of their upper half, built once from Qt's converter (Windows-1252 from
// our own table, keeping its undefined bytes as C1 controls); multi-byte ones through a stateful Qt converter.
#include "engine/AnsiDecoder.h"

#include "engine/Windows1252.h"

#include <QStringDecoder>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace quillora {

struct SingleByteTable
{
    AnsiCodePage page;
    char16_t utf16[128];
    // The UTF-8 of every byte (three bytes at most: every character of these pages is in the first plane) with its
    // length in the fourth byte, ASCII included so the loop has no branch: copied in one four-byte move, the length
    // then overwritten by the next character.
    std::uint32_t utf8[256];
};

namespace {

std::uint32_t packUtf8(const QByteArray& utf8)
{
    char entry[4] = {0, 0, 0, char(utf8.size())};
    std::memcpy(entry, utf8.constData(), size_t(utf8.size()));
    std::uint32_t packed;
    std::memcpy(&packed, entry, 4);
    return packed;
}

char* putUtf8(char* out, std::uint32_t packed)
{
    std::memcpy(out, &packed, 4);
    return out + (std::endian::native == std::endian::little ? packed >> 24 : packed & 0xFF);
}

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
    for (int i = 0; i < 128; ++i)
        table.utf8[i] = packUtf8(QByteArray(1, char(i)));
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
        table.utf8[byte] = packUtf8(QString(QChar(character)).toUtf8());
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
    // Kept in a local: stores through char pointers would make the compiler reload the table's address.
    const std::uint32_t* const utf8 = table_->utf8;
    const char* at = piece.data();
    const char* const end = at + piece.size();
    // Eight bytes at a time: copied as they are when all are ASCII, through the table one by one when not.
    while (end - at >= 8) {
        std::uint64_t block;
        std::memcpy(&block, at, 8);
        if ((block & 0x8080808080808080) == 0) {
            std::memcpy(out, at, 8);
            out += 8;
        } else {
            for (int i = 0; i < 8; ++i)
                out = putUtf8(out, utf8[static_cast<unsigned char>(at[i])]);
        }
        at += 8;
    }
    for (; at < end; ++at)
        out = putUtf8(out, utf8[static_cast<unsigned char>(*at)]);
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
