// Facts about files and folders: existence, attributes, the open test and folder listings.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace quillora {

// Attribute bits with the values the program compares against.
namespace attribute {
constexpr quint32 readOnly = 1;
constexpr quint32 hidden = 2;
constexpr quint32 system = 4;
constexpr quint32 directory = 16;
constexpr quint32 archive = 32;
constexpr quint32 reparsePoint = 1024;
} // namespace attribute

// One file of a folder listing and what a look at it tells.
struct ListedFile
{
    QString name;
    // It opens as an existing file, not a folder.
    bool opensAsFile = false;
    // Its attribute value, or nothing when it cannot be read.
    std::optional<quint32> attributes;

    friend bool operator==(const ListedFile&, const ListedFile&) = default;
};

class FileFacts
{
public:
    virtual ~FileFacts() = default;
    // True when the date and time of last change of the path can be read.
    virtual bool dateTimeReadable(const QString& path) = 0;
    // The attribute value of the path, or nothing when it cannot be read.
    virtual std::optional<quint32> attributes(const QString& path) = 0;
    // True when the path can be opened as an existing file (not a folder), asking for no access rights.
    virtual bool opensAsExistingFile(const QString& path) = 0;
    // True when the folder is the root of a drive (the root "/" elsewhere).
    virtual bool isRootFolder(const QString& path) = 0;
    // Names of the files (normal, hidden and system, no folders) in folder that match the wildcard pattern,
    // case-insensitively, "*.*" matching every name. A folder that cannot be searched gives no names.
    virtual QStringList listFiles(const QString& folder, const QString& pattern) = 0;
    // Names of the sub-folders of folder in listing order; throws Failure 70 or 76 when it cannot be listed.
    virtual QStringList listSubfolders(const QString& folder) = 0;
    // The files that listFiles gives, each with what opensAsExistingFile and attributes tell of folder + name;
    // folder ends with the separator. Platforms that can look at a listed entry once answer both from that look.
    virtual QList<ListedFile> listFilesWithFacts(const QString& folder, const QString& pattern)
    {
        QList<ListedFile> files;
        for (const QString& name : listFiles(folder, pattern))
            files.append(ListedFile{name, opensAsExistingFile(folder + name), attributes(folder + name)});
        return files;
    }
    // The absolute path that path leads to with every link resolved, or the empty text when it leads nowhere.
    // Facts that know no links give the path itself.
    virtual QString resolvedPath(const QString& path) { return path; }
};

} // namespace quillora
