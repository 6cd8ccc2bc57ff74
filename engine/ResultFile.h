// Writing a result file: the old file stays whole until the new one is complete, then replaces it at once.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <memory>

class QSaveFile;

namespace quillora {

class FolderFlusher;

class ResultFile
{
public:
    explicit ResultFile(QString path);
    ~ResultFile();
    ResultFile(const ResultFile&) = delete;
    ResultFile& operator=(const ResultFile&) = delete;

    // Each throws Failure; after a failure nothing is left behind and an existing file is untouched.
    void open();
    void write(QByteArrayView bytes);
    // Throws away what was written so far and opens a new temporary file in its place.
    void restart();
    // Puts the new file in place of the old one, keeping the old file's permissions, and its owner and group where
    // this process may set them, and makes that durable: at once, or through flusher when one is given.
    void close(FolderFlusher* flusher = nullptr);

    bool isOpen() const;
    const QString& path() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QSaveFile> file_;
};

// Writes bytes to path as a whole; throws Failure.
void writeResultFile(const QString& path, QByteArrayView bytes);

} // namespace quillora
