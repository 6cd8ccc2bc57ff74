// What the program can learn about the terminal a standard stream shows on.
#pragma once

#include <cstdio>

namespace quillora {

// Whether stream goes to a terminal.
bool isTerminal(FILE* stream);
// How many columns wide the terminal stream shows on is, 80 when that is not known.
int terminalColumns(FILE* stream);

} // namespace quillora
