// Wildcard matching, the dialog filter translation and the classic multiple-selection result.
#include "platform/QtFileDialogs.h"
#include "platform/WildcardMatch.h"
#include "support/TestSupport.h"

namespace quillora {
namespace {

TEST(WildcardMatch, MatchesLikeThePlatformSearch)
{
    struct Case
    {
        const char16_t* pattern;
        const char16_t* name;
        bool matches;
    };
    const Case cases[] = {
        {u"*.*", u"README", true},    {u"*.*", u"a.txt", true},
        {u"*.txt", u"A.TXT", true},   {u"*.txt", u"a.txt.bak", false},
        {u"*.txt", u"a.b.txt", true}, {u"*.txt", u".txt", true},
        {u"*.doc", u"a.txt", false},  {u"?.txt", u"ab.txt", false},
        {u"a?c.*", u"abc.d", true},   {u"*.\u00C9T\u00C9", u"x.\u00E9t\u00E9", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wildcardMatches(QStringView(c.pattern), QStringView(c.name)), c.matches)
            << QString::fromUtf16(c.pattern).toStdString() << " " << QString::fromUtf16(c.name).toStdString();
}

TEST(QtFileDialogs, TranslatesTheClassicFilterList)
{
    EXPECT_EQ(QtFileDialogs::qtFilter(QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|")),
              QStringLiteral("Text Files (*.txt);;All Files (*)"));
    EXPECT_EQ(QtFileDialogs::qtFilter(QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*")),
              QStringLiteral("Text Files (*.txt);;All Files (*)"));
}

TEST(QtFileDialogs, JoinsSeveralChosenFilesAsFolderAndNames)
{
    EXPECT_EQ(QtFileDialogs::classicSelection({}), QString());
    EXPECT_EQ(QtFileDialogs::classicSelection({QStringLiteral("/data/a.txt")}),
              testing::native(QStringLiteral("/data/a.txt")));
    EXPECT_EQ(QtFileDialogs::classicSelection({QStringLiteral("/data/a.txt"), QStringLiteral("/data/b c.txt")}),
              testing::native(QStringLiteral("/data")) + QChar(u'\0') + QStringLiteral("a.txt") + QChar(u'\0')
                  + QStringLiteral("b c.txt"));
}

} // namespace
} // namespace quillora
