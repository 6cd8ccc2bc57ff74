// A short text of each language group in the code page its locale reads files in, for the reader and command-line
// tests alike.
#pragma once

#include <QByteArray>
#include <span>

namespace quillora::testing {

struct CodePageSample
{
    const char* locale;
    QByteArray bytes;
    const char16_t* text;
};

std::span<const CodePageSample> codePageSamples();

} // namespace quillora::testing
