// All platform doubles in one place, with a temporary settings store and program folder.
#pragma once

#include "platform/FileSettingsStore.h"
#include "platform/NativeFileFacts.h"
#include "platform/Services.h"
#include "platform/testing/RecordingDoubles.h"
#include "platform/testing/ScriptedFileDialogs.h"
#include "platform/testing/ScriptedMessageBoxes.h"

#include <QTemporaryDir>

namespace quillora::testing {

class TestServices
{
public:
    TestServices();

    // The settings of this program in the temporary store.
    QString setting(const QString& key, const QString& defaultValue = QString());
    void setSetting(const QString& key, const QString& value);

    Services services();

    QTemporaryDir settingsFolder;
    QTemporaryDir programFolder;
    FileSettingsStore settings;
    ScriptedMessageBoxes messages;
    ScriptedFileDialogs dialogs;
    RecordedShell shell;
    CountingEventPump events;
    ScriptedRandomSource random;
    NativeFileFacts nativeFileFacts;
    // The file facts the windows are given; a test may point it at its own before it makes one.
    FileFacts* fileFacts = &nativeFileFacts;
    int endProgramCalls = 0;
};

} // namespace quillora::testing
