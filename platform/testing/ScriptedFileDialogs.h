// Test double for the file dialogs and the folder picker: answers from a script and records each request.
#pragma once

#include "platform/FileDialogs.h"

#include <QList>
#include <deque>

namespace quillora::testing {

class ScriptedFileDialogs : public FileDialogs
{
public:
    QString showOpen(const FileDialogRequest& request) override;
    QString showSave(const FileDialogRequest& request) override;
    QString browseForFolder(const FolderPickerRequest& request) override;

    // Results for the next dialogs of each kind, in order; without one the dialog is cancelled.
    void openNext(const QString& result) { opens_.push_back(result); }
    void saveNext(const QString& result) { saves_.push_back(result); }
    void pickNext(const QString& result) { picks_.push_back(result); }

    const QList<FileDialogRequest>& openRequests() const { return openRequests_; }
    const QList<FileDialogRequest>& saveRequests() const { return saveRequests_; }
    const QList<FolderPickerRequest>& pickRequests() const { return pickRequests_; }

private:
    static QString take(std::deque<QString>& script);

    std::deque<QString> opens_;
    std::deque<QString> saves_;
    std::deque<QString> picks_;
    QList<FileDialogRequest> openRequests_;
    QList<FileDialogRequest> saveRequests_;
    QList<FolderPickerRequest> pickRequests_;
};

} // namespace quillora::testing
