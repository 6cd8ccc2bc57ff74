// Quillora started with arguments: converts files, folders or standard input without any window, then exits.
#pragma once

namespace quillora {

// Exit status: 0 all converted, 1 a file skipped, failed or left out or a folder with no file to take, 2 a usage error,
// 128 + the signal when stopped by one.
int runCommandLine(int argc, char* argv[]);

} // namespace quillora
