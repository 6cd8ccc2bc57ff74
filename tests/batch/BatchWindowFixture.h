// A loaded batch window on the platform doubles, with a temporary work folder for sources and results.
#pragma once

#include "platform/FileFacts.h"
#include "platform/NativeFileFacts.h"
#include "platform/NativeSeparator.h"
#include "platform/testing/TestServices.h"
#include "support/TestSupport.h"
#include "windows/batch/BatchWindow.h"
#include "windows/batch/FileListModel.h"
#include "windows/batch/PacedListModel.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace quillora::testing {

class BatchWindowTest : public ::testing::Test
{
protected:
    // Creates the window and runs its opening steps; settings put in place before that are restored.
    void openWindow()
    {
        form = std::make_unique<BatchWindow>(doubles.services());
        QObject::connect(form.get(), &BatchWindow::mainMenuWanted, [this] { ++menuShown; });
        form->load();
        doubles.messages.clear();
    }

    // A path in the work folder, in native form.
    QString at(const QString& relative) const { return native(work.path() + QStringLiteral("/") + relative); }

    QString write(const QString& relative, const QByteArray& bytes)
    {
        const QString path = at(relative);
        writeFile(path, bytes);
        return path;
    }

    void list(const QStringList& paths) { form->fileList()->append(paths); }

    // Results to the given folder.
    void chooseFolder(const QString& folder)
    {
        find<QRadioButton>(form, "resultsToFolder")->click();
        find<QLineEdit>(form, "destinationFolder")->setText(folder);
    }

    TestServices doubles;
    QTemporaryDir work;
    std::unique_ptr<BatchWindow> form;
    int menuShown = 0;
};

// File facts from the system, except for chosen paths whose attributes cannot be read.
class UnreadableAttributes : public NativeFileFacts
{
public:
    std::optional<quint32> attributes(const QString& path) override
    {
        if (unreadable.contains(path))
            return std::nullopt;
        return everyPathReadable ? std::optional<quint32>(attribute::archive) : NativeFileFacts::attributes(path);
    }
    QSet<QString> unreadable;
    // Lets made-up paths count as files, for selections that do not exist on disk.
    bool everyPathReadable = false;
};

} // namespace quillora::testing
