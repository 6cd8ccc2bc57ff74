// Qt's own options (-platform, -style, ...), which start the windows rather than the command line.
#pragma once

namespace quillora {

// True when every argument after the program's name is one of Qt's own options or its value: the windows start
// and Qt reads them.
bool onlyQtOptions(int argc, const char* const argv[]);
// True when the arguments name Qt's platform plugin (-platform NAME).
bool namesQtPlatform(int argc, const char* const argv[]);

} // namespace quillora
