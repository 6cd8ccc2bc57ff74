// Which files the command line takes from the paths it is given and where their results go: trees in, files out,
// results that would land on one path, hidden names, --ext, and the backups --backup keeps.
#include "cli/ProgramRun.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/stat.h>

namespace quillora {
namespace {

// The program run in folder with relative paths, so that its messages name them as given, under the umask 027.
testing::ProgramRun runIn(const QString& folder, const QStringList& arguments)
{
    return testing::runShell(QStringLiteral("umask 027 && cd \"$1\" && shift && exec \"$0\" \"$@\""),
                             QStringList{folder} + arguments);
}

// Each source holds two words, its own path and "words": its result is the two on lines of their own.
QByteArray sourceBytes(const QString& name)
{
    return name.toUtf8() + " words";
}

QByteArray resultBytes(const QString& name)
{
    return name.toUtf8() + "\r\nwords";
}

class CommandLineFilesTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return work.filePath(name); }
    void writeSources(const QStringList& names)
    {
        for (const QString& name : names)
            testing::writeFile(path(name), sourceBytes(name));
    }
    // stat of a file below the work folder.
    struct stat statusOf(const QString& name) const
    {
        struct stat status
        { };
        EXPECT_EQ(::stat(QFile::encodeName(path(name)).constData(), &status), 0) << name.toStdString();
        return status;
    }

    QTemporaryDir work;
};

TEST_F(CommandLineFilesTest, TreesInFilesOut)
{
    const QStringList tree
        = {"src/top.txt",  "src/d1/a.txt", "src/d1/b.txt",    "src/d2/a.txt",       "src/d2/deep/a.txt",
           "src/d1/c.log", "src/.env.txt", "src/.git/config", "src/.git/notes.txt", "src/.cache/x.txt"};
    struct Case
    {
        const char* label;
        QStringList arguments;
        // Where the results are, relative to the work folder.
        QString destination;
        // Each result below the destination, by the source whose result it is.
        QMap<QString, QString> results;
        int exitCode;
        // Lines that standard error must hold, among others.
        QStringList errLines;
        // Made before the run: files that stand in the way, or earlier results.
        QStringList before = {};
    };
    const QMap<QString, QString> walked = {{"top.txt", "src/top.txt"},
                                           {"d1/a.txt", "src/d1/a.txt"},
                                           {"d1/b.txt", "src/d1/b.txt"},
                                           {"d2/a.txt", "src/d2/a.txt"},
                                           {"d2/deep/a.txt", "src/d2/deep/a.txt"}};
    QMap<QString, QString> withHidden = walked;
    withHidden.insert(
        {{".env.txt", "src/.env.txt"}, {".git/notes.txt", "src/.git/notes.txt"}, {".cache/x.txt", "src/.cache/x.txt"}});
    const QString summary5 = "5 converted, 0 skipped, 0 failed";
    const QList<Case> cases = {
        {"each result keeps its path below the folder named", {"--to", "out", "src"}, "out", walked, 0, {summary5}},
        {"the same from a path that names the folder otherwise",
         {"--to", "./out/", "./src/"},
         "out",
         walked,
         0,
         {summary5}},
        {"names starting with a dot are taken with --hidden",
         {"--hidden", "--to", "out", "src"},
         "out",
         withHidden,
         0,
         {"8 converted, 0 skipped, 0 failed"}},
        {"a hidden folder or file named is taken",
         {"--ext", "*", "--to", "out", "src/.git", "src/.env.txt"},
         "out",
         {{"config", "src/.git/config"}, {"notes.txt", "src/.git/notes.txt"}, {".env.txt", "src/.env.txt"}},
         0,
         {"3 converted, 0 skipped, 0 failed"}},
        {"every file but the hidden ones with --ext '*'",
         {"--ext", "*", "--to", "out", "src/d1"},
         "out",
         {{"a.txt", "src/d1/a.txt"}, {"b.txt", "src/d1/b.txt"}, {"c.log", "src/d1/c.log"}},
         0,
         {"3 converted, 0 skipped, 0 failed"}},
        {"--ext with a dot", {"--ext", ".log", "--to", "out", "src"}, "out", {{"d1/c.log", "src/d1/c.log"}}, 0, {}},
        {"--ext without a dot", {"--ext", "log", "--to", "out", "src"}, "out", {{"d1/c.log", "src/d1/c.log"}}, 0, {}},
        {"a walk that finds no file says so",
         {"--ext", ".md", "--to", "out", "src", "src/top.txt"},
         "out",
         {{"top.txt", "src/top.txt"}},
         1,
         {"quillora: src: no file ending in .md", "1 converted, 0 skipped, 0 failed"}},
        {"two files of one name named: the later is left out",
         {"--to", "out", "src/d1/a.txt", "src/d2/a.txt", "src/d1/b.txt"},
         "out",
         {{"a.txt", "src/d1/a.txt"}, {"b.txt", "src/d1/b.txt"}},
         1,
         {"src/d2/a.txt: would overwrite the result of src/d1/a.txt, left out", "2 converted, 0 skipped, 1 failed"}},
        {"a file named twice in place is converted once",
         {"--in-place", "src/top.txt", "./src/top.txt"},
         "src",
         {{"top.txt", "src/top.txt"}},
         1,
         {"./src/top.txt: would overwrite the result of src/top.txt, left out"}},
        {"a folder and a file in it named",
         {"--to", "out", "src/d1", "src/d1/a.txt"},
         "out",
         {{"a.txt", "src/d1/a.txt"}, {"b.txt", "src/d1/b.txt"}},
         1,
         {"src/d1/a.txt: would overwrite the result of src/d1/a.txt, left out"}},
        {"the destination inside the tree walked is no source",
         {"--to", "src/d2", "src"},
         "src/d2",
         {{"top.txt", "src/top.txt"}, {"d1/a.txt", "src/d1/a.txt"}, {"d1/b.txt", "src/d1/b.txt"}},
         0,
         {"3 converted, 0 skipped, 0 failed"}},
        {"a folder that cannot be made fails its files",
         {"--to", "out", "src"},
         "out",
         {{"top.txt", "src/top.txt"}, {"d2/a.txt", "src/d2/a.txt"}, {"d2/deep/a.txt", "src/d2/deep/a.txt"}},
         1,
         {"src/d1/a.txt: cannot make the folder out/d1: Not a directory",
          "src/d1/b.txt: cannot make the folder out/d1: Not a directory", "3 converted, 0 skipped, 2 failed"},
         {"out/d1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(QDir(path("src")).removeRecursively() && QDir(path("out")).removeRecursively());
        writeSources(tree);
        QDir(work.path()).mkpath(QStringLiteral("out"));
        // A file where a folder of results would go.
        for (const QString& name : c.before)
            testing::writeFile(path(name), "in the way");
        const QMap<QString, QByteArray> untouched = testing::filesBelow(path(c.destination));

        const testing::ProgramRun run = runIn(work.path(), c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.constData();
        const QStringList lines = QString::fromUtf8(run.err).split(u'\n', Qt::SkipEmptyParts);
        for (const QString& line : c.errLines)
            EXPECT_TRUE(lines.contains(line)) << line.toStdString() << " not in:\n" << run.err.constData();
        QMap<QString, QByteArray> expected = untouched;
        for (auto it = c.results.cbegin(); it != c.results.cend(); ++it)
            expected.insert(it.key(), resultBytes(it.value()));
        EXPECT_EQ(testing::filesBelow(path(c.destination)), expected);
    }
    // The folders made for the results of the last case have the permissions the umask leaves.
    for (const char* made : {"out/d2", "out/d2/deep"})
        EXPECT_EQ(statusOf(made).st_mode & 0777, 0750u) << made;
}

TEST_F(CommandLineFilesTest, BackupKeepsTheReplacedFileWhole)
{
    struct Case
    {
        QStringList arguments;
        // The file replaced and its backup, relative to the work folder.
        QString replaced;
        QString backup;
    };
    const QList<Case> cases = {
        {{"--in-place", "--backup", "src/a.txt"}, "src/a.txt", "src/a.txt~"},
        {{"--in-place", "--backup=.orig", "src/a.txt"}, "src/a.txt", "src/a.txt.orig"},
        {{"--backup", "--to", "out", "src/a.txt"}, "out/a.txt", "out/a.txt~"},
        // A word after an option that takes one is its value, not an option of its own.
        {{"--ext", "--backup", "--backup", "--in-place", "src/a.txt"}, "src/a.txt", "src/a.txt~"},
    };
    constexpr time_t past = 1000000000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        ASSERT_TRUE(QDir(path("src")).removeRecursively() && QDir(path("out")).removeRecursively());
        writeSources({"src/a.txt", "out/a.txt"});
        // An older backup is replaced by the new one.
        testing::writeFile(path(c.backup), "older backup");
        const QByteArray old = testing::readFile(path(c.replaced));
        const QByteArray name = QFile::encodeName(path(c.replaced));
        ASSERT_EQ(::chmod(name.constData(), 0640), 0);
        const struct timespec times[2] = {{past, 123}, {past, 456}};
        ASSERT_EQ(::utimensat(AT_FDCWD, name.constData(), times, 0), 0);
        const struct stat before = statusOf(c.replaced);

        const testing::ProgramRun run = runIn(work.path(), c.arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_EQ(testing::readFile(path(c.replaced)), resultBytes("src/a.txt"));
        EXPECT_EQ(testing::readFile(path(c.backup)), old);
        const struct stat kept = statusOf(c.backup);
        // The very file that was replaced, by a second name that is now its only one.
        EXPECT_EQ(kept.st_ino, before.st_ino);
        EXPECT_EQ(kept.st_nlink, 1u);
        EXPECT_EQ(kept.st_mode, before.st_mode);
        EXPECT_EQ(kept.st_mtim.tv_sec, past);
        EXPECT_EQ(kept.st_mtim.tv_nsec, 456);
        // Nothing else is left beside them.
        EXPECT_EQ(QDir(path("src")).entryList(QDir::Files | QDir::Hidden).size(),
                  qsizetype(c.replaced.startsWith("src") ? 2 : 1));
    }

    // Without a file to replace there is nothing to keep.
    ASSERT_TRUE(QDir(path("out")).removeRecursively());
    QDir(work.path()).mkpath(QStringLiteral("out"));
    EXPECT_EQ(runIn(work.path(), {"--backup", "--to", "out", "src/a.txt"}).exitCode, 0);
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});

    // A backup that cannot be made leaves the file as it was and fails it.
    writeSources({"src/b.txt", "src/b.txt~/inside"});
    const testing::ProgramRun refused = runIn(work.path(), {"--in-place", "--backup", "src/b.txt"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(refused.err),
              "src/b.txt: its backup could not be made, left as it is\n0 converted, 0 skipped, 1 failed\n");
    EXPECT_EQ(testing::readFile(path("src/b.txt")), sourceBytes("src/b.txt"));
}

TEST_F(CommandLineFilesTest, ABackupSuffixMustBeAName)
{
    writeSources({"a.txt"});
    for (const QString& suffix : {QString(), QStringLiteral("/x")}) {
        const testing::ProgramRun run = runIn(work.path(), {"--in-place", "--backup=" + suffix, "a.txt"});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.startsWith("quillora: --backup=" + suffix.toUtf8() + ": a suffix must be"))
            << run.err.constData();
    }
    EXPECT_EQ(testing::readFile(path("a.txt")), sourceBytes("a.txt"));
}

} // namespace
} // namespace quillora
