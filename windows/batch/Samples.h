// The sample texts installed beside the program: recorded once in the settings, added to the batch list on demand.
#pragma once

#include "platform/EventPump.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "windows/batch/FileListModel.h"

#include <QString>

namespace quillora {

// The fixed key of the recorded sample list.
QString sampleListKey();
// The folder of the samples: programFolder followed by the separator and "Samples".
QString samplesFolder(const QString& programFolder);

// Stores the full paths of the files in the samples folder, joined with "|" and scrambled, under "Snapshot".
// Throws Failure when the value cannot be stored.
void RecordSampleFiles(SettingsStore& settings, const QString& programFolder, EventPump& events, FileFacts& facts);
// Appends the recorded samples that still exist and are not in the list yet, then offers to open their folder.
void AddSampleFiles(FileListModel& list, Services& services);

// Shifts every character's Windows-1252 code up by the code of the key letter in step with it, wrapping 1..255.
// Characters that Windows-1252 lacks, and NUL, are kept as they are, so any text comes back whole.
QString ScrambleText(const QString& text, const QString& key, EventPump& events);
QString UnscrambleText(const QString& text, const QString& key, EventPump& events);

} // namespace quillora
