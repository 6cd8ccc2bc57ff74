// An in-memory folder tree with chosen attribute values, listing failures and links, for walks that a real
// file system cannot show (attribute values 22 and 1046, names of 260 characters, drive roots).
#pragma once

#include "platform/Failure.h"
#include "platform/FileFacts.h"
#include "platform/NativeSeparator.h"

#include <QHash>
#include <functional>

namespace quillora::testing {

class FakeFileFacts : public FileFacts
{
public:
    struct Folder
    {
        quint32 attributes = attribute::directory;
        QStringList children;
        int listingError = 0;
        bool root = false;
        QString linkTarget;
    };

    // Adds folder path (ending with the separator) below its parent, which must exist unless it is a root.
    Folder& add(const QString& path, quint32 attributes = attribute::directory)
    {
        Folder& folder = folders[path];
        folder.attributes = attributes;
        const QString trimmed = path.chopped(1);
        const qsizetype cut = trimmed.lastIndexOf(nativeSeparator());
        if (cut >= 0 && folders.contains(trimmed.left(cut + 1)))
            folders[trimmed.left(cut + 1)].children.append(trimmed.mid(cut + 1));
        return folder;
    }

    bool dateTimeReadable(const QString& path) override { return folders.contains(path); }
    std::optional<quint32> attributes(const QString& path) override
    {
        touch("attributes", path);
        if (!folders.contains(path))
            return std::nullopt;
        return folders[path].attributes;
    }
    bool opensAsExistingFile(const QString&) override { return false; }
    bool isRootFolder(const QString& path) override
    {
        touch("root", path);
        return folders.contains(path) && folders[path].root;
    }
    QStringList listFiles(const QString&, const QString&) override { return {}; }
    QStringList listSubfolders(const QString& path) override
    {
        touch("list", path);
        listed.append(path);
        if (!folders.contains(path))
            throw Failure::pathNotFound();
        const Folder& folder = folders[path];
        if (folder.listingError != 0)
            throw Failure(QStringLiteral("Listing failed"), folder.listingError);
        return folder.children;
    }
    QString resolvedPath(const QString& path) override
    {
        if (folders.contains(path) && !folders[path].linkTarget.isEmpty())
            return folders[path].linkTarget;
        return path;
    }

    QHash<QString, Folder> folders;
    QStringList listed;
    // Runs before each attribute read, root test and listing; may throw to simulate a failing platform call.
    std::function<void(const QString& operation, const QString& path)> beforeCall;

private:
    void touch(const QString& operation, const QString& path)
    {
        if (beforeCall)
            beforeCall(operation, path);
    }
};

} // namespace quillora::testing
