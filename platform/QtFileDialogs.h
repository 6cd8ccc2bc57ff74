// The file dialogs and the folder picker shown with QFileDialog.
#pragma once

#include "platform/FileDialogs.h"

#include <QStringList>

namespace quillora {

class QtFileDialogs : public FileDialogs
{
public:
    QString showOpen(const FileDialogRequest& request) override;
    QString showSave(const FileDialogRequest& request) override;
    QString browseForFolder(const FolderPickerRequest& request) override;

    // "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|" in Qt's form; "*.*" becomes "*" so names without a dot show.
    static QString qtFilter(const QString& classicFilter);
    // Joins chosen files the classic way: one full path, or the folder and the names separated by NUL.
    static QString classicSelection(const QStringList& chosen);
};

} // namespace quillora
