// Which ANSI code page a file without a mark is read in: the one Windows uses for the language of the user's locale.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace quillora {

// The code pages by their Windows numbers.
enum class AnsiCodePage
{
    Thai = 874,
    Japanese = 932,
    SimplifiedChinese = 936,
    Korean = 949,
    TraditionalChinese = 950,
    CentralEuropean = 1250,
    Cyrillic = 1251,
    Western = 1252,
    Greek = 1253,
    Turkish = 1254,
    Hebrew = 1255,
    Arabic = 1256,
    Baltic = 1257,
    Vietnamese = 1258,
};

// A code page written as its number ("1251"), as the settings key and the command line take it; nothing when the
// text names no code page of ours.
std::optional<AnsiCodePage> parseAnsiCodePage(QStringView text);

// The code page for a locale name such as "ru_RU.UTF-8", "sr_RS@latin" or "C"; Western for C, POSIX and every
// language without a code page of its own.
AnsiCodePage ansiCodePageForLocale(QStringView locale);

// The locale that decides the character set: LC_ALL, then LC_CTYPE, then LANG, the first that is set and not empty.
QString ctypeLocale(const QString& lcAll, const QString& lcCtype, const QString& lang);

// The code page stored under the settings key, or the one of the process's locale when the value is absent or names
// no code page.
AnsiCodePage ansiCodePageFromSetting(const QString& storedValue);

// The code page of the process's locale.
AnsiCodePage localeAnsiCodePage();

// The name of Qt's converter for the code page.
const char* qtConverterName(AnsiCodePage page);

} // namespace quillora
