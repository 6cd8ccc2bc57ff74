// The shared path and existence procedures; the path procedures take the platform's separator.
#pragma once

#include "platform/FileFacts.h"
#include "platform/NativeSeparator.h"

#include <QString>
#include <QStringList>

namespace quillora {

// True when the date and time of last change of the path can be read.
bool FileExists(const QString& path, FileFacts& facts);
// True when the path's attributes can be read and carry the directory bit.
bool FolderExists(const QString& path, FileFacts& facts);
// The part after the last separator; the whole path when there is none.
QString GetFileName(const QString& path, QChar separator = nativeSeparator());
// The part up to and including the last separator; empty when there is none. Throws Overflow past position 32767.
QString GetFolderPath(const QString& path, QChar separator = nativeSeparator());
// Replaces every pair of separators by one in a single left-to-right pass. A leading run of separators becomes
// the network-path prefix "\\" with "\", and a single "/" with "/" (POSIX has no network-path prefix).
QString FixDoubleBackslashes(const QString& path, QChar separator = nativeSeparator());
// The path of a special folder (0 is the desktop); empty when the platform cannot give it.
QString GetSpecialFolder(int folder);
// The desktop folder, or the home folder where there is no desktop folder, ending in one separator; throws
// "Invalid procedure call or argument" without either.
QString GetDesktopFolder();
// True when one of the items equals text exactly (case-sensitive).
bool ListViewHasItem(const QStringList& items, const QString& text);

} // namespace quillora
