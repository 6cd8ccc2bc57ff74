// The walk's order, exclusions, limits, yields and failure handling on an in-memory tree.
#include "FakeFileFacts.h"
#include "folders/FolderWalk.h"
#include "platform/testing/RecordingDoubles.h"
#include "platform/testing/ScriptedMessageBoxes.h"
#include "support/TestSupport.h"

namespace quillora {
namespace {

using testing::FakeFileFacts;
using testing::native;

QStringList natives(std::initializer_list<const char*> paths)
{
    QStringList result;
    for (const char* path : paths)
        result.append(native(QString::fromUtf8(path)));
    return result;
}

class WalkRules : public ::testing::Test
{
protected:
    FakeFileFacts::Folder& add(const char* path, quint32 attributes = attribute::directory)
    {
        return facts.add(native(QString::fromUtf8(path)), attributes);
    }
    FakeFileFacts::Folder& add(const QString& path, quint32 attributes = attribute::directory)
    {
        return facts.add(native(path), attributes);
    }

    QStringList walk(QStringList folders, bool recurse = true)
    {
        collectSubFolders(folders, recurse, {events, facts, ErrorReport::boxTeller(boxes), {}});
        return folders;
    }

    QList<int> errorLines() const
    {
        QList<int> lines;
        for (const MessageBoxRequest& box : boxes.errors()) {
            const qsizetype at = box.text.indexOf(QStringLiteral(" at line "));
            lines.append(box.text.mid(at + 9).section(QChar(u'\r'), 0, 0).toInt());
        }
        return lines;
    }

    FakeFileFacts facts;
    testing::ScriptedMessageBoxes boxes;
    testing::CountingEventPump events;
};

TEST_F(WalkRules, AppendsLevelByLevelInListingOrder)
{
    add("/Data/");
    add("/Data/Zeta/");
    add("/Data/Alpha/");
    add("/Data/Zeta/Z1/");
    add("/Data/Alpha/A1/");
    add("/Data/Alpha/A0/");
    add("/Data/Alpha/A1/deep/");

    EXPECT_EQ(walk(natives({"/Data/"})),
              natives({"/Data/", "/Data/Zeta/", "/Data/Alpha/", "/Data/Zeta/Z1/", "/Data/Alpha/A1/", "/Data/Alpha/A0/",
                       "/Data/Alpha/A1/deep/"}));
    EXPECT_EQ(walk(natives({"/Data/"}), false), natives({"/Data/", "/Data/Zeta/", "/Data/Alpha/"}));
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(WalkRules, SeveralStartingEntriesShareEachLevel)
{
    add("/One/");
    add("/One/a/");
    add("/One/a/aa/");
    add("/Two/");
    add("/Two/b/");
    add("/Two/b/bb/");

    EXPECT_EQ(walk(natives({"/One/", "/Two/"})),
              natives({"/One/", "/Two/", "/One/a/", "/Two/b/", "/One/a/aa/", "/Two/b/bb/"}));
}

TEST_F(WalkRules, LetsEventsThroughForEveryFolderAndSubFolder)
{
    add("/Data/");
    add("/Data/A/");
    add("/Data/A/A1/");
    add("/Data/B/");
    QStringList listedAtYield;
    events.onYield = [&](int) { listedAtYield = facts.listed; };

    walk(natives({"/Data/"}));

    // Walking: Data, its two sub-folders, A, A1 below it, B, A1 on the deepest level. Collecting: A1 into the
    // second level's list, then A, B and A1 into the caller's.
    EXPECT_EQ(events.count, 11);
    EXPECT_EQ(listedAtYield, facts.listed) << "the last yield comes after every listing";
}

TEST_F(WalkRules, LeavesOutHiddenSystemFoldersButWalksEveryOtherValue)
{
    constexpr quint32 hiddenSystem = attribute::hidden | attribute::system | attribute::directory;
    add("/Data/");
    add("/Data/System/", hiddenSystem);
    add("/Data/System/inside/");
    add("/Data/Junction/", hiddenSystem | attribute::reparsePoint);
    add("/Data/Junction/inside/");
    add("/Data/Archived/", hiddenSystem | attribute::archive);
    add("/Data/Archived/inside/");
    add("/Data/Hidden/", attribute::hidden | attribute::directory);
    add("/Data/Link/", attribute::directory | attribute::reparsePoint);

    EXPECT_EQ(walk(natives({"/Data/"})),
              natives({"/Data/", "/Data/Archived/", "/Data/Hidden/", "/Data/Link/", "/Data/Archived/inside/"}));
    EXPECT_FALSE(facts.listed.contains(native(QStringLiteral("/Data/System/"))));
    EXPECT_FALSE(facts.listed.contains(native(QStringLiteral("/Data/Junction/"))));
}

TEST_F(WalkRules, StartingEntryWithProtectedValueStaysButIsWalkedOnlyAsRoot)
{
    constexpr quint32 hiddenSystem = attribute::hidden | attribute::system | attribute::directory;
    add("/Protected/", hiddenSystem);
    add("/Protected/below/");
    add("/Root/", hiddenSystem).root = true;
    add("/Root/below/");

    EXPECT_EQ(walk(natives({"/Protected/"})), natives({"/Protected/"}));
    EXPECT_EQ(walk(natives({"/Root/"})), natives({"/Root/", "/Root/below/"}));
}

TEST_F(WalkRules, LeavesOutBadNamesWithEverythingBelowThem)
{
    add("/Data/");
    const QString longName(260, QChar(u'n'));
    const QString longestName(259, QChar(u'n'));
    const QStringList bad{QStringLiteral("."),         QStringLiteral(".."),
                          QStringLiteral("why?"),      QStringLiteral("tab\there"),
                          QStringLiteral("del\u007F"), QStringLiteral("c1\u0085"),
                          QStringLiteral("c1\u009F"),  longName};
    for (const QString& name : bad)
        facts.folders[native(QStringLiteral("/Data/"))].children.append(name);
    const QStringList good{QStringLiteral("\u00A0nbsp"),
                           QStringLiteral("\u03A9\u03BC\u03AD\u03B3\u03B1"),
                           QStringLiteral("\u041F\u0440\u0438\u0432\u0435\u0442"),
                           QStringLiteral("\u6F22\u5B57"),
                           QStringLiteral("~tilde !#$%&'()+,;=@[]^`{}"),
                           longestName};
    for (const QString& name : good)
        add(QStringLiteral("/Data/") + name + QChar(u'/'));

    QStringList expected{native(QStringLiteral("/Data/"))};
    for (const QString& name : good)
        expected.append(native(QStringLiteral("/Data/") + name + QChar(u'/')));
    EXPECT_EQ(walk(natives({"/Data/"})), expected);
}

TEST_F(WalkRules, FolderWhosePathReachesTheLimitStaysButIsNotListed)
{
    // "/Data/" and a separator around the name: 6 + 253 + 1 = 260 characters.
    const QString atLimit = QStringLiteral("/Data/") + QString(253, QChar(u'x')) + QChar(u'/');
    const QString belowLimit = QStringLiteral("/Data/") + QString(252, QChar(u'y')) + QChar(u'/');
    add("/Data/");
    add(atLimit);
    add(atLimit + QStringLiteral("sub/"));
    add(belowLimit);
    add(belowLimit + QStringLiteral("s/"));
    ASSERT_EQ(atLimit.size(), 260);

    const QStringList result = walk(natives({"/Data/"}));

    EXPECT_EQ(result,
              QStringList({native(QStringLiteral("/Data/")), native(atLimit), native(belowLimit),
                           native(belowLimit + QStringLiteral("s/"))}));
    EXPECT_FALSE(facts.listed.contains(native(atLimit)));
}

TEST_F(WalkRules, FoldersThatCannotBeListedAreRemovedAndTheWalkGoesOn)
{
    add("/Data/");
    add("/Data/Denied/").listingError = 70;
    add("/Data/Open/");
    add("/Data/Open/inner/");
    add("/Data/Gone/").listingError = 76;
    add("/Data/Broken/").listingError = 57;
    add("/Data/Broken/inner/");

    EXPECT_EQ(walk(natives({"/Data/"})), natives({"/Data/", "/Data/Open/", "/Data/Broken/", "/Data/Open/inner/"}));
    EXPECT_TRUE(boxes.shown().isEmpty()) << "listing failures are handled quietly";
}

TEST_F(WalkRules, DeniedStartingEntryRemovesItsFirstEqualEntry)
{
    add("/Denied/").listingError = 70;
    add("/Open/");
    add("/Open/inner/");

    EXPECT_EQ(walk(natives({"/Denied/", "/Open/", "/Denied/"})), natives({"/Open/", "/Open/inner/"}));
    EXPECT_EQ(walk(natives({"/Open/", "/Denied/", "/Missing/"})), natives({"/Open/", "/Missing/", "/Open/inner/"}))
        << "a missing entry is skipped before any listing and stays";
}

TEST_F(WalkRules, FailureBeforeTheFirstListingIsReportedAndTheWalkGoesOn)
{
    add("/First/");
    add("/First/inner/");
    add("/Second/");
    add("/Second/inner/");
    int reads = 0;
    facts.beforeCall = [&](const QString& operation, const QString& path) {
        if (operation == u"attributes" && path == native(QStringLiteral("/First/")) && ++reads == 1)
            throw Failure::deviceIo();
    };

    const QStringList result = walk(natives({"/First/", "/Second/"}));

    EXPECT_EQ(result, natives({"/First/", "/Second/", "/Second/inner/"}));
    ASSERT_EQ(boxes.errors().size(), 1);
    EXPECT_EQ(boxes.errors().first().text,
              QStringLiteral("Device I/O error\r\nin Tarnwick2021/08/31.AddFolder.GetSubDirectories2016 at line 102\r\r"
                             "Please email screenshot of this message to support@corvanta.example"));
}

TEST_F(WalkRules, FailedAttributeTestBeforeListingWalksTheFolder)
{
    constexpr quint32 hiddenSystem = attribute::hidden | attribute::system | attribute::directory;
    add("/First/", hiddenSystem);
    add("/First/inner/");
    facts.beforeCall = [&](const QString& operation, const QString&) {
        if (operation == u"root")
            throw Failure::deviceIo();
    };

    EXPECT_EQ(walk(natives({"/First/"})), natives({"/First/", "/First/inner/"}));
    EXPECT_EQ(errorLines(), QList<int>({108}));
}

TEST_F(WalkRules, FailuresWhileCollectingAreReportedAndTheFolderIsKept)
{
    add("/Data/");
    add("/Data/Odd/");
    add("/Data/Fine/");
    facts.beforeCall = [&](const QString& operation, const QString& path) {
        if (operation == u"attributes" && path == native(QStringLiteral("/Data/Odd/")))
            throw Failure::deviceIo();
    };

    EXPECT_EQ(walk(natives({"/Data/"}), false), natives({"/Data/", "/Data/Odd/", "/Data/Fine/"}));
    EXPECT_EQ(errorLines(), QList<int>({120, 124}));
}

TEST_F(WalkRules, LinkBackToAnAncestorIsLeftOut)
{
    add("/Data/");
    add("/Data/A/");
    add("/Data/A/up/", attribute::directory | attribute::reparsePoint).linkTarget = native(QStringLiteral("/Data/"));
    add("/Data/A/side/", attribute::directory | attribute::reparsePoint).linkTarget = native(QStringLiteral("/Else/"));
    add("/Data/A/side/x/");

    EXPECT_EQ(walk(natives({"/Data/"})), natives({"/Data/", "/Data/A/", "/Data/A/side/", "/Data/A/side/x/"}));
}

} // namespace
} // namespace quillora
