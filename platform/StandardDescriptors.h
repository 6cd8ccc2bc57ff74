// Standard input, output and error held open, so that no file the program opens can take their places.
#pragma once

namespace quillora {

// Opens the null device on each of standard input, output and error that is closed. Called first in main(): a
// file opened later on a free descriptor 1 or 2 would otherwise receive whatever is printed.
void holdStandardDescriptors();

} // namespace quillora
