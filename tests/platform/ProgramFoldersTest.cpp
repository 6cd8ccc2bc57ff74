// The data folder lookup in an installed tree, a moved prefix and a build tree.
#include "platform/ProgramFolders.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

namespace quillora {
namespace {

TEST(ProgramDataFolder, PrefersTheInstalledDataFolderOnlyWhenItIsAFolder)
{
    struct Case
    {
        const char* name;
        QStringList folders;
        QStringList files;
        QString executable;
        QString expected;
    };
    const Case cases[] = {
        {"installed", {"usr/bin", "usr/share/quillora/Samples"}, {}, "usr/bin", "usr/share/quillora"},
        {"prefix moved after installing",
         {"home/me/apps/bin", "home/me/apps/share/quillora"},
         {},
         "home/me/apps/bin",
         "home/me/apps/share/quillora"},
        {"build tree", {"build/bin/Samples"}, {"build/bin/HAND-M.CUR"}, "build/bin", "build/bin"},
        {"data folder is a file", {"p/bin"}, {"p/share/quillora"}, "p/bin", "p/bin"},
        {"another program's data only", {"p/bin", "p/share/other"}, {}, "p/bin", "p/bin"},
        {"unclean executable folder", {"q/bin", "q/share/quillora"}, {}, "q/x/../bin", "q/share/quillora"},
    };
    for (const Case& c : cases) {
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        const QDir base(root.path());
        for (const QString& folder : c.folders)
            ASSERT_TRUE(base.mkpath(folder)) << c.name;
        for (const QString& file : c.files)
            testing::writeFile(base.filePath(file), "x");
        EXPECT_EQ(programDataFolder(base.filePath(c.executable)), base.filePath(c.expected)) << c.name;
    }
}

} // namespace
} // namespace quillora
