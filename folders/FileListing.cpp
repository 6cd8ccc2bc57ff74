// Lists a folder through the platform's file facts; nothing here reports a failure.
#include "folders/FileListing.h"

#include "platform/Failure.h"
#include "platform/NameBytes.h"
#include "platform/NativeSeparator.h"
#include "platform/ReplacingFile.h"

namespace quillora {

QList<ListedFile> ListFilesWithFactsInFolder(const QString& folder, const QString& pattern, FileFacts& facts)
{
    QString base = folder;
    if (!base.endsWith(nativeSeparator()))
        base += nativeSeparator();
    try {
        QList<ListedFile> files = facts.listFilesWithFacts(base, pattern);
        // A result not yet in place (or left by a run that was killed) is never a source.
        files.removeIf([](const ListedFile& file) { return isTemporaryResultName(file.name); });
        return files;
    } catch (const Failure&) {
        return {};
    }
}

QStringList ListFilesInFolder(const QString& folder, const QString& pattern, FileFacts& facts)
{
    QStringList names;
    for (const ListedFile& file : ListFilesWithFactsInFolder(folder, pattern, facts)) {
        if (file.opensAsFile && !isUndecodableName(file.name))
            names.append(file.name);
    }
    return names;
}

bool FileExistsEx(const QString& path, FileFacts& facts)
{
    try {
        return facts.opensAsExistingFile(path);
    } catch (const Failure&) {
        return false;
    }
}

} // namespace quillora
