// Windows-1252 tables: bytes 80 to 9F differ from Latin-1; 81, 8D, 8F, 90 and 9D map to the same C1 codes.
#include "engine/Windows1252.h"

namespace quillora {

namespace {
constexpr char16_t high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

char16_t windows1252Character(unsigned char code)
{
    return code >= 0x80 && code < 0xA0 ? high[code - 0x80] : char16_t(code);
}

int windows1252Code(char16_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return character;
    for (int i = 0; i < 32; ++i) {
        if (high[i] == character)
            return 0x80 + i;
    }
    return '?';
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = windows1252Character(in[i]);
    return text;
}

} // namespace quillora
