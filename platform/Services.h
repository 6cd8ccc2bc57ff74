// The platform services a window uses, handed in by whoever creates it.
#pragma once

#include "platform/EventPump.h"
#include "platform/FileDialogs.h"
#include "platform/FileFacts.h"
#include "platform/MessageBoxes.h"
#include "platform/RandomSource.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"

#include <QString>
#include <functional>

namespace quillora {

struct Services
{
    MessageBoxes& messages;
    FileDialogs& dialogs;
    Shell& shell;
    EventPump& events;
    SettingsStore& settings;
    RandomSource& random;
    FileFacts& fileFacts;
    // The folder of the program file, where the hand cursor, the skin and the samples are.
    QString programFolder;
    // Ends the program.
    std::function<void()> endProgram;
};

} // namespace quillora
