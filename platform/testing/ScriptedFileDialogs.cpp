// Records dialog requests and answers them from the test's script.
#include "platform/testing/ScriptedFileDialogs.h"

namespace quillora::testing {

QString ScriptedFileDialogs::take(std::deque<QString>& script)
{
    if (script.empty())
        return QString();
    const QString result = script.front();
    script.pop_front();
    return result;
}

QString ScriptedFileDialogs::showOpen(const FileDialogRequest& request)
{
    openRequests_ << request;
    return take(opens_);
}

QString ScriptedFileDialogs::showSave(const FileDialogRequest& request)
{
    saveRequests_ << request;
    return take(saves_);
}

QString ScriptedFileDialogs::browseForFolder(const FolderPickerRequest& request)
{
    pickRequests_ << request;
    return take(picks_);
}

} // namespace quillora::testing
