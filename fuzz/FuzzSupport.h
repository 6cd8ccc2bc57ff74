// Shared pieces of the fuzz targets: a hard check of a property.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace quillora::fuzzing {

inline void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

} // namespace quillora::fuzzing
