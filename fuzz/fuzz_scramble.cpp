// Scrambling the recorded sample list and unscrambling it again gives back the text, for any text.
#include "FuzzSupport.h"
#include "platform/EventPump.h"
#include "windows/batch/Samples.h"

using namespace quillora;

namespace {
class NoEvents : public EventPump
{
public:
    void letEventsThrough() override { }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NoEvents events;
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    const QString scrambled = ScrambleText(text, sampleListKey(), events);
    fuzzing::require(scrambled.size() == text.size(), "scrambling keeps the length");
    fuzzing::require(UnscrambleText(scrambled, sampleListKey(), events) == text, "unscrambling gives the text back");
    return 0;
}
