// Scrambling the recorded sample list gives the hand-worked fixed vectors, and unscrambling gives back the
// text, for any text.
#include "FuzzSupport.h"
#include "platform/testing/RecordingDoubles.h"
#include "windows/batch/Samples.h"

using namespace quillora;

namespace {
// Worked by hand from the key "tovmerik" (116 111 118 109 101 114 105 107) and the Windows-1252 codes.
void checkFixedVectors()
{
    testing::CountingEventPump events;
    const struct
    {
        const char16_t* plain;
        const char16_t* scrambled;
    } vectors[] = {
        {u"A", u"\u00B5"}, // 65 + 116 = 181
        {u"AAAAAAAAA", u"\u00B5\u00B0\u00B7\u00AE\u00A6\u00B3\u00AA\u00AC\u00B5"}, // the key starts again
        {u"\u0152", u"\u0001"}, // 140 + 116 = 256 wraps to 1
        {u"\u2039", u"\u00FF"}, // 139 + 116 = 255 stays
        {u"\u20AC", u"\u00F4"}, // the euro sign is 128 in the code page
        {u"", u""},
    };
    for (const auto& vector : vectors) {
        const QString plain = QString::fromUtf16(vector.plain);
        const QString scrambled = QString::fromUtf16(vector.scrambled);
        fuzzing::require(ScrambleText(plain, sampleListKey(), events) == scrambled, "a fixed vector scrambles");
        fuzzing::require(UnscrambleText(scrambled, sampleListKey(), events) == plain, "a fixed vector unscrambles");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool vectorsChecked = (checkFixedVectors(), true);
    (void)vectorsChecked;
    testing::CountingEventPump events;
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    const QString scrambled = ScrambleText(text, sampleListKey(), events);
    fuzzing::require(scrambled.size() == text.size(), "scrambling keeps the length");
    fuzzing::require(UnscrambleText(scrambled, sampleListKey(), events) == text, "unscrambling gives the text back");
    return 0;
}
