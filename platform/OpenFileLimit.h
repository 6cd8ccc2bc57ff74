// How many files this process may hold open at once.
#pragma once

#include <cstddef>

namespace quillora {

// The soft limit on open files, measured once; a large number where there is none.
std::size_t openFileLimit();

} // namespace quillora
