// How far a conversion fed piece by piece has come: what the next piece must start with.
#pragma once

namespace quillora {

// Whether anything was written, and whether a space has been seen since, so the next piece starts on a new line.
struct WordProgress
{
    bool wroteAny = false;
    bool breakPending = false;
};

} // namespace quillora
