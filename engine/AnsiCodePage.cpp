// The language-to-code-page table, with the few territories and scripts whose code page differs from their
// language's, and the names of Qt's converters.
#include "engine/AnsiCodePage.h"

#include <QtGlobal>
#include <iterator>

namespace quillora {

namespace {

// A language matches a rule when its qualifier is empty, names its territory ("_TW") or its modifier ("@latin").
// The first matching rule counts, so the qualified rules of a language stand before its plain one.
struct LocaleRule
{
    const char* language;
    const char* qualifier;
    AnsiCodePage page;
};

constexpr LocaleRule localeRules[] = {
    {"sr", "@latin", AnsiCodePage::CentralEuropean},
    {"uz", "@cyrillic", AnsiCodePage::Cyrillic},
    {"az", "_IR", AnsiCodePage::Arabic},
    {"pa", "_PK", AnsiCodePage::Arabic},
    {"zh", "_TW", AnsiCodePage::TraditionalChinese},
    {"zh", "_HK", AnsiCodePage::TraditionalChinese},
    {"zh", "_MO", AnsiCodePage::TraditionalChinese},
    {"zh", "", AnsiCodePage::SimplifiedChinese},
    {"cs", "", AnsiCodePage::CentralEuropean},
    {"hu", "", AnsiCodePage::CentralEuropean},
    {"pl", "", AnsiCodePage::CentralEuropean},
    {"ro", "", AnsiCodePage::CentralEuropean},
    {"sk", "", AnsiCodePage::CentralEuropean},
    {"sl", "", AnsiCodePage::CentralEuropean},
    {"hr", "", AnsiCodePage::CentralEuropean},
    {"bs", "", AnsiCodePage::CentralEuropean},
    {"sh", "", AnsiCodePage::CentralEuropean},
    {"sq", "", AnsiCodePage::CentralEuropean},
    {"tk", "", AnsiCodePage::CentralEuropean},
    {"ru", "", AnsiCodePage::Cyrillic},
    {"uk", "", AnsiCodePage::Cyrillic},
    {"be", "", AnsiCodePage::Cyrillic},
    {"bg", "", AnsiCodePage::Cyrillic},
    {"mk", "", AnsiCodePage::Cyrillic},
    {"sr", "", AnsiCodePage::Cyrillic},
    {"kk", "", AnsiCodePage::Cyrillic},
    {"ky", "", AnsiCodePage::Cyrillic},
    {"tt", "", AnsiCodePage::Cyrillic},
    {"mn", "", AnsiCodePage::Cyrillic},
    {"ba", "", AnsiCodePage::Cyrillic},
    {"tg", "", AnsiCodePage::Cyrillic},
    {"sah", "", AnsiCodePage::Cyrillic},
    {"cv", "", AnsiCodePage::Cyrillic},
    {"os", "", AnsiCodePage::Cyrillic},
    {"ce", "", AnsiCodePage::Cyrillic},
    {"el", "", AnsiCodePage::Greek},
    {"tr", "", AnsiCodePage::Turkish},
    {"az", "", AnsiCodePage::Turkish},
    {"uz", "", AnsiCodePage::Turkish},
    {"ku", "", AnsiCodePage::Turkish},
    {"he", "", AnsiCodePage::Hebrew},
    {"iw", "", AnsiCodePage::Hebrew},
    {"yi", "", AnsiCodePage::Hebrew},
    {"ar", "", AnsiCodePage::Arabic},
    {"fa", "", AnsiCodePage::Arabic},
    {"ur", "", AnsiCodePage::Arabic},
    {"ps", "", AnsiCodePage::Arabic},
    {"ug", "", AnsiCodePage::Arabic},
    {"ckb", "", AnsiCodePage::Arabic},
    {"sd", "", AnsiCodePage::Arabic},
    {"lt", "", AnsiCodePage::Baltic},
    {"lv", "", AnsiCodePage::Baltic},
    {"et", "", AnsiCodePage::Baltic},
    {"ltg", "", AnsiCodePage::Baltic},
    {"sgs", "", AnsiCodePage::Baltic},
    {"vi", "", AnsiCodePage::Vietnamese},
    {"th", "", AnsiCodePage::Thai},
    {"ja", "", AnsiCodePage::Japanese},
    {"ko", "", AnsiCodePage::Korean},
};

constexpr AnsiCodePage allPages[] = {
    AnsiCodePage::Thai,
    AnsiCodePage::Japanese,
    AnsiCodePage::SimplifiedChinese,
    AnsiCodePage::Korean,
    AnsiCodePage::TraditionalChinese,
    AnsiCodePage::CentralEuropean,
    AnsiCodePage::Cyrillic,
    AnsiCodePage::Western,
    AnsiCodePage::Greek,
    AnsiCodePage::Turkish,
    AnsiCodePage::Hebrew,
    AnsiCodePage::Arabic,
    AnsiCodePage::Baltic,
    AnsiCodePage::Vietnamese,
};

// The part of locale that starts at one of the marks and runs to the next mark, without its first mark.
QStringView field(QStringView locale, QChar start)
{
    const qsizetype from = locale.indexOf(start);
    if (from < 0)
        return {};
    qsizetype to = from + 1;
    while (to < locale.size() && locale[to] != u'_' && locale[to] != u'.' && locale[to] != u'@')
        ++to;
    return locale.sliced(from + 1, to - from - 1);
}

bool matches(const LocaleRule& rule, QStringView language, QStringView territory, QStringView modifier)
{
    if (language.compare(QLatin1StringView(rule.language), Qt::CaseInsensitive) != 0)
        return false;
    const QLatin1StringView qualifier(rule.qualifier);
    if (qualifier.isEmpty())
        return true;
    const QStringView wanted = qualifier.startsWith(u'@') ? modifier : territory;
    return wanted.compare(qualifier.sliced(1), Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<AnsiCodePage> parseAnsiCodePage(QStringView text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    for (const AnsiCodePage page : allPages) {
        if (ok && int(page) == number)
            return page;
    }
    return std::nullopt;
}

AnsiCodePage ansiCodePageForLocale(QStringView locale)
{
    qsizetype end = 0;
    while (end < locale.size() && locale[end] != u'_' && locale[end] != u'.' && locale[end] != u'@')
        ++end;
    const QStringView language = locale.first(end);
    const QStringView rest = locale.sliced(end);
    // The territory comes before the code set and the modifier: "sr_RS.UTF-8@latin".
    const QStringView territory = rest.startsWith(u'_') ? field(rest, u'_') : QStringView();
    const QStringView modifier = field(rest, u'@');
    for (const LocaleRule& rule : localeRules) {
        if (matches(rule, language, territory, modifier))
            return rule.page;
    }
    return AnsiCodePage::Western;
}

QString ctypeLocale(const QString& lcAll, const QString& lcCtype, const QString& lang)
{
    for (const QString* value : {&lcAll, &lcCtype, &lang}) {
        if (!value->isEmpty())
            return *value;
    }
    return QString();
}

AnsiCodePage ansiCodePageFromSetting(const QString& storedValue)
{
    if (const std::optional<AnsiCodePage> chosen = parseAnsiCodePage(storedValue))
        return *chosen;
    return localeAnsiCodePage();
}

AnsiCodePage localeAnsiCodePage()
{
    return ansiCodePageForLocale(
        ctypeLocale(qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_CTYPE"), qEnvironmentVariable("LANG")));
}

const char* qtConverterName(AnsiCodePage page)
{
    switch (page) {
    case AnsiCodePage::Thai:
        return "windows-874";
    case AnsiCodePage::Japanese:
        return "Shift_JIS";
    case AnsiCodePage::SimplifiedChinese:
        return "GBK";
    // Plain EUC-KR lacks the thousands of syllables Windows adds in its code page 949.
    case AnsiCodePage::Korean:
        return "windows-949";
    case AnsiCodePage::TraditionalChinese:
        return "Big5";
    case AnsiCodePage::CentralEuropean:
        return "windows-1250";
    case AnsiCodePage::Cyrillic:
        return "windows-1251";
    case AnsiCodePage::Western:
        return "windows-1252";
    case AnsiCodePage::Greek:
        return "windows-1253";
    case AnsiCodePage::Turkish:
        return "windows-1254";
    case AnsiCodePage::Hebrew:
        return "windows-1255";
    case AnsiCodePage::Arabic:
        return "windows-1256";
    case AnsiCodePage::Baltic:
        return "windows-1257";
    case AnsiCodePage::Vietnamese:
        return "windows-1258";
    }
    return "windows-1252";
}

} // namespace quillora
