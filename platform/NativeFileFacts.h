// File facts read from the operating system.
#pragma once

#include "platform/FileFacts.h"

namespace quillora {

class NativeFileFacts : public FileFacts
{
public:
    bool dateTimeReadable(const QString& path) override;
    std::optional<quint32> attributes(const QString& path) override;
    bool opensAsExistingFile(const QString& path) override;
    bool isRootFolder(const QString& path) override;
    QStringList listFiles(const QString& folder, const QString& pattern) override;
    QStringList listSubfolders(const QString& folder) override;
    QString resolvedPath(const QString& path) override;
#ifndef Q_OS_WIN
    QList<ListedFile> listFilesWithFacts(const QString& folder, const QString& pattern) override;
#endif
};

} // namespace quillora
