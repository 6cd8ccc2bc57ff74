// The line break that joins the pieces of a converted text.
#pragma once

namespace quillora {

enum class LineBreak
{
    // CR LF, as the windows write it.
    CrLf,
    // LF alone, for tools that expect it.
    Lf
};

} // namespace quillora
