// The walk of a chosen folder tree and the listing of each folder, with the names the batch list leaves out.
#include "folders/TreeFiles.h"

#include "folders/FileListing.h"
#include "folders/FolderSteps.h"
#include "folders/Paths.h"
#include "platform/NameBytes.h"
#include "platform/NativeSeparator.h"

namespace quillora {

namespace {
// Archive + hidden: an ordinary hidden file, which is left out. Hidden files with any other value are added.
constexpr quint32 hiddenArchive = attribute::archive | attribute::hidden;

bool isDotName(QStringView name)
{
    return name.startsWith(u'.');
}

// Whether a file is hidden from the walk, by its attributes or its name.
bool isHiddenFile(const ListedFile& file, TreeChoices::Hidden hidden)
{
    switch (hidden) {
    case TreeChoices::Hidden::AsTheWindow:
        return file.attributes == hiddenArchive;
    case TreeChoices::Hidden::LeftOut:
        return isDotName(file.name);
    case TreeChoices::Hidden::Taken:
        break;
    }
    return false;
}

QStringList gatherFolderFiles(QString folder, const QString& pattern, const FolderWalkHooks& hooks, ErrorReport& report,
                              TreeChoices::Hidden hidden)
{
    const QChar separator = nativeSeparator();
    report.step(treesteps::dropSeparator, [&] { folder.chop(1); });
    QList<ListedFile> files;
    report.step(treesteps::listFiles, [&] { files = ListFilesWithFactsInFolder(folder, pattern); });
    QStringList found;
    for (const ListedFile& file : std::as_const(files)) {
        // A name hidden by its dot is not even told when it is not valid UTF-8.
        if (!file.opensAsFile || (hidden == TreeChoices::Hidden::LeftOut && isHiddenFile(file, hidden)))
            continue;
        if (report.choice(treesteps::startsWithTilde, [&] { return file.name.startsWith(QChar(u'~')); }))
            continue;
        if (isUndecodableName(file.name)) {
            if (hooks.undecodableName && !isHiddenFile(file, hidden))
                hooks.undecodableName(folder + separator + file.name);
            continue;
        }
        QString path;
        report.step(treesteps::filePath, [&] { path = folder + separator + file.name; });
        report.step(treesteps::keepFile, [&] {
            if (!isHiddenFile(file, hidden))
                found.append(FixDoubleBackslashes(path));
        });
    }
    return found;
}
} // namespace

bool gatherTreeFiles(const QString& root, const QString& extension, const FolderWalkHooks& hooks, ErrorReport& report,
                     const std::function<void(const QStringList&)>& add, const TreeChoices& choices)
{
    FolderWalkHooks walkHooks = hooks;
    walkHooks.leaveOut = [&choices](const QString& folder) {
        // The folder's own name: the part before its final separator.
        const QStringView path = QStringView(folder).chopped(1);
        return (choices.hidden == TreeChoices::Hidden::LeftOut
                && isDotName(path.mid(path.lastIndexOf(nativeSeparator()) + 1)))
            || (choices.leaveOutFolder && choices.leaveOutFolder(folder));
    };
    QStringList folders;
    // Even a root, which already ends with the separator, gets one more: each entry loses its last character below.
    report.step(treesteps::startFolder, [&] { folders.append(root + nativeSeparator()); });
    bool walked = true;
    report.step(treesteps::collectFolders, [&] { walked = collectSubFolders(folders, true, walkHooks); });
    if (!walked || (hooks.stopRequested && hooks.stopRequested()))
        return false;
    const QString pattern = QStringLiteral("*.") + extension;
    for (const QString& folder : std::as_const(folders)) {
        // One folder's files are handed over together, in listing order.
        const QStringList found = gatherFolderFiles(folder, pattern, hooks, report, choices.hidden);
        report.step(treesteps::addFiles, [&] { add(found); });
    }
    return true;
}

} // namespace quillora
