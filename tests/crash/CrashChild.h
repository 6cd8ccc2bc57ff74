// The work a re-executed copy of this test program does until it is killed, chosen by environment variables.
#pragma once

#include <QString>
#include <QStringList>

namespace quillora::testing {

// Names the child's job and its folder; unset in an ordinary test run.
inline constexpr const char* childJobVariable = "QUILLORA_CRASH_JOB";
inline constexpr const char* childFolderVariable = "QUILLORA_CRASH_FOLDER";
// The child prints this line when its work is about to begin, so the parent kills it at work, not at start-up.
inline constexpr const char* childStartedLine = "started";
// Before it, the child tells its process id on a line that starts with this.
inline constexpr const char* childPidLine = "pid ";

// The value written the n-th time: large, and telling by its own content which write it came from.
QString settingValue(int n);
// n when text is exactly settingValue(n), otherwise -1.
int settingValueNumber(const QString& text);

} // namespace quillora::testing
