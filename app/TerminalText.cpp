// Escapes what a terminal would act on instead of showing.
#include "app/TerminalText.h"

#include "platform/NameBytes.h"

namespace quillora {

namespace {
// The letter of a C escape for the control character code, or 0.
char escapeLetter(char16_t code)
{
    switch (code) {
    case 0x07:
        return 'a';
    case 0x08:
        return 'b';
    case 0x09:
        return 't';
    case 0x0A:
        return 'n';
    case 0x0B:
        return 'v';
    case 0x0C:
        return 'f';
    case 0x0D:
        return 'r';
    case 0x1B:
        return 'e';
    default:
        return 0;
    }
}

bool isControl(char16_t code)
{
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

void appendByte(QString& out, int byte)
{
    out += QStringLiteral("\\x%1").arg(byte, 2, 16, QChar(u'0'));
}

// Whether the character at index is printed as an escape or reads as one after a backslash.
bool startsEscape(const QString& text, qsizetype index)
{
    if (index >= text.size())
        return false;
    const char16_t code = text.at(index).unicode();
    return code == u'\\' || isControl(code) || rawNameByte(text, index) >= 0
        || QStringView(u"abefnrtvx").contains(QChar(code));
}
} // namespace

QString terminalSafe(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype index = 0; index < text.size(); ++index) {
        const char16_t code = text.at(index).unicode();
        if (const int byte = rawNameByte(text, index); byte >= 0) {
            appendByte(out, byte);
        } else if (const char letter = escapeLetter(code)) {
            out += u'\\';
            out += QChar(letter);
        } else if (code < 0x80 && isControl(code)) {
            appendByte(out, code);
        } else if (isControl(code)) {
            // A C1 control is two bytes in UTF-8.
            appendByte(out, 0xC0 | (code >> 6));
            appendByte(out, 0x80 | (code & 0x3F));
        } else if (code == u'\\' && startsEscape(text, index + 1)) {
            out += QStringLiteral("\\\\");
        } else {
            out += text.at(index);
        }
    }
    return out;
}

} // namespace quillora
