// The open and save file dialogs and the folder picker.
#pragma once

#include <QString>

class QWidget;

namespace quillora {

struct FileDialogRequest
{
    QString title;
    // Filter list in the classic form "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|".
    QString filter;
    bool multipleSelection = false;

    friend bool operator==(const FileDialogRequest&, const FileDialogRequest&) = default;
};

struct FolderPickerRequest
{
    QWidget* owner = nullptr;
    QString title;
    QString startFolder;

    friend bool operator==(const FolderPickerRequest&, const FolderPickerRequest&) = default;
};

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // The empty text on cancel. One chosen file gives its full path; several give the folder followed by each
    // name, all separated by NUL characters.
    virtual QString showOpen(const FileDialogRequest& request) = 0;
    // The chosen path, or the empty text on cancel. The dialog asks nothing about overwriting.
    virtual QString showSave(const FileDialogRequest& request) = 0;
    // A modal folder chooser; an absolute folder path with a final separator only for a root, or the empty text.
    virtual QString browseForFolder(const FolderPickerRequest& request) = 0;
};

} // namespace quillora
