// Writing a result file: the old file stays whole until the new one is complete, then replaces it at once.
#pragma once

#include "platform/Failure.h"
#include "platform/ReplacingFile.h"

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace quillora {

class ResultCommitter;

class ResultFile
{
public:
    explicit ResultFile(QString path);
    ResultFile(const ResultFile&) = delete;
    ResultFile& operator=(const ResultFile&) = delete;

    // Where no file stands at the path, the result takes the permissions of source less the umask, as a copy does.
    void takePermissionsFrom(QString source) { permissionsFrom_ = std::move(source); }
    // The file the result may replace, as it was read: the result is not put in place once another stands there.
    // Without it, the file as it stands when the result is opened.
    void expect(const FileIdentity& identity) { expected_ = identity; }
    // The file the result replaces is kept under its name followed by suffix (see ReplacingFile::keepBackup).
    void keepBackup(QString suffix) { backupSuffix_ = std::move(suffix); }

    // Each throws Failure; after a failure nothing is left behind and an existing file is untouched.
    void open();
    void write(QByteArrayView bytes);
    // Throws away what was written so far and opens a new temporary file in its place.
    void restart();
    // Puts the new file in place of the old one, keeping the old file's permissions, and its owner and group where
    // this process may set them, and makes that durable before it returns.
    void close();
    // The same through committer, after the files handed to it before; a failure then is told there under source.
    void close(ResultCommitter& committer, const QString& source);

    bool isOpen() const { return file_.isOpen(); }
    // The new file has a name of its own until it is put in place.
    bool hasName() const { return file_.hasName(); }
    const QString& path() const { return path_; }

private:
    QString path_;
    QString permissionsFrom_;
    std::optional<FileIdentity> expected_;
    QString backupSuffix_;
    ReplacingFile file_;
};

// Writes bytes to path as a whole; throws Failure.
void writeResultFile(const QString& path, QByteArrayView bytes);

} // namespace quillora
