// The UTF-8 check against the well-formed byte sequences of the Unicode standard, at the edges of each range.
#include "engine/Utf8Check.h"

#include "support/TestSupport.h"

namespace quillora {
namespace {

TEST(Utf8Check, AcceptsExactlyTheWellFormedSequencesAtTheEdgesOfEachRange)
{
    const char* const wellFormed[] = {"\xC2\x80",         "\xDF\xBF",         "\xE0\xA0\x80",     "\xE1\x80\x80",
                                      "\xEC\xBF\xBF",     "\xED\x9F\xBF",     "\xEE\x80\x80",     "\xEF\xBF\xBF",
                                      "\xF0\x90\x80\x80", "\xF1\x80\x80\x80", "\xF3\xBF\xBF\xBF", "\xF4\x8F\xBF\xBF"};
    const char* const illFormed[] = {
        "\xC1\xBF",         "\xC2\x7F",         "\xC2\xC0",         "\xE0\x9F\xBF",     "\xE1\x80\xC0", "\xED\xA0\x80",
        "\xF0\x8F\xBF\xBF", "\xF1\x80\x80\x7F", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\x80",         "\xFF"};
    // Alone, and after enough ASCII for the vector paths to take the first blocks.
    const QByteArray ascii(40, 'a');
    const auto expect = [&ascii](const char* bytes, bool valid) {
        for (const QByteArray& before : {QByteArray(), ascii}) {
            EXPECT_EQ(checkUtf8(before + bytes + " z").valid, valid)
                << QByteArray(bytes).toHex(' ').constData() << " after " << before.size();
        }
    };
    for (const char* bytes : wellFormed)
        expect(bytes, true);
    for (const char* bytes : illFormed)
        expect(bytes, false);
}

} // namespace
} // namespace quillora
