// Hands the request to the platform's folder chooser.
#include "folders/FolderPicker.h"

namespace quillora {

QString BrowseForFolder(FileDialogs& dialogs, QWidget* owner, const QString& title, const QString& startFolder)
{
    return dialogs.browseForFolder(FolderPickerRequest{owner, title, startFolder});
}

} // namespace quillora
