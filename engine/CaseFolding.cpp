// ASCII folds in one pass over the bytes; other characters through Qt's simple folding, except the ones whose full
// folding is several characters, which come from the generated table; both worked out once for two-byte characters.
#include "engine/CaseFolding.h"

#include "engine/CaseFoldingExpansions.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <cstring>

namespace quillora {

namespace {

// Room for the longest folding of one character: an expansion, or one character of up to four bytes.
constexpr qsizetype roomPerCharacter = std::max(longestCaseFoldingExpansion, 4);

constexpr char32_t notACharacter = 0x110000;

struct Decoded
{
    char32_t character;
    int length;
};

// The character that starts at at. A byte that starts no complete sequence comes back as a character past U+10FFFF
// of length 1: text that is not UTF-8 is never read past its end.
Decoded decodeUtf8(const unsigned char* at, const unsigned char* end)
{
    const unsigned char lead = *at;
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length == 1 || end - at < length)
        return {notACharacter, 1};
    char32_t character = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((at[i] & 0xC0) != 0x80)
            return {notACharacter, 1};
        character = (character << 6) | (at[i] & 0x3F);
    }
    return {character, length};
}

int encodeUtf8(char32_t character, char* out)
{
    if (character < 0x80) {
        out[0] = char(character);
        return 1;
    }
    if (character < 0x800) {
        out[0] = char(0xC0 | (character >> 6));
        out[1] = char(0x80 | (character & 0x3F));
        return 2;
    }
    if (character < 0x10000) {
        out[0] = char(0xE0 | (character >> 12));
        out[1] = char(0x80 | ((character >> 6) & 0x3F));
        out[2] = char(0x80 | (character & 0x3F));
        return 3;
    }
    out[0] = char(0xF0 | (character >> 18));
    out[1] = char(0x80 | ((character >> 12) & 0x3F));
    out[2] = char(0x80 | ((character >> 6) & 0x3F));
    out[3] = char(0x80 | (character & 0x3F));
    return 4;
}

const CaseFoldingExpansion* expansionOf(char32_t character)
{
    if (character < std::begin(caseFoldingExpansions)->character
        || character > std::prev(std::end(caseFoldingExpansions))->character)
        return nullptr;
    const auto* end = std::end(caseFoldingExpansions);
    const auto* found
        = std::lower_bound(std::begin(caseFoldingExpansions), end, character,
                           [](const CaseFoldingExpansion& entry, char32_t c) { return entry.character < c; });
    return found != end && found->character == character ? found : nullptr;
}

char foldAscii(unsigned char byte)
{
    return char(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte);
}

// Writes the folding of a character at out; returns its length in bytes.
int foldCharacter(char32_t character, char* out)
{
    if (const CaseFoldingExpansion* expansion = expansionOf(character)) {
        std::memcpy(out, expansion->folded.data(), expansion->folded.size());
        return int(expansion->folded.size());
    }
    return encodeUtf8(QChar::toCaseFolded(character), out);
}

struct TwoByteFolding
{
    char bytes[roomPerCharacter];
    unsigned char length;
};

// The foldings of the characters below U+0800 (Latin, Greek, Cyrillic, Armenian, Hebrew, Arabic, ...), worked out
// once, so that the scripts most texts use fold without a search or a call into Qt.
const TwoByteFolding* twoByteFoldings()
{
    static const auto table = [] {
        std::array<TwoByteFolding, 0x800> made{};
        for (char32_t character = 0; character < made.size(); ++character)
            made[character].length = static_cast<unsigned char>(foldCharacter(character, made[character].bytes));
        return made;
    }();
    return table.data();
}

// Folds from in[done] on, where the first byte that is not ASCII stands; folded holds the first done bytes folded.
void foldFromNonAscii(QByteArrayView utf8, qsizetype done, QByteArray& folded)
{
    const TwoByteFolding* twoByte = twoByteFoldings();
    const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* end = in + utf8.size();
    const auto* at = in + done;
    qsizetype size = done;
    while (at < end) {
        // Grows into the capacity earlier words left before asking for more.
        if (size + roomPerCharacter > folded.size())
            folded.resize(std::max({size + roomPerCharacter, folded.capacity(), folded.size() * 2}));
        char* out = folded.data() + size;
        if (*at < 0x80) {
            *out = foldAscii(*at++);
            ++size;
            continue;
        }
        const Decoded decoded = decodeUtf8(at, end);
        if (decoded.length == 2) {
            const TwoByteFolding& folding = twoByte[decoded.character];
            std::memcpy(out, folding.bytes, sizeof folding.bytes);
            size += folding.length;
        } else if (decoded.character < notACharacter) {
            size += foldCharacter(decoded.character, out);
        } else {
            std::memcpy(out, at, decoded.length);
            size += decoded.length;
        }
        at += decoded.length;
    }
    folded.resize(size);
}

} // namespace

void caseFoldUtf8(QByteArrayView utf8, QByteArray& folded)
{
    const qsizetype size = utf8.size();
    folded.resize(size);
    const char* in = utf8.data();
    char* out = folded.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(in[i]);
        if (byte >= 0x80) {
            foldFromNonAscii(utf8, i, folded);
            return;
        }
        out[i] = foldAscii(byte);
    }
}

} // namespace quillora
