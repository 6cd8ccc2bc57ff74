// The UTF-8 check against the well-formed byte sequences of the Unicode standard, at the edges of each range.
#include "engine/Utf8Check.h"

#include "support/TestSupport.h"

namespace quillora {
namespace {

TEST(Utf8Check, AcceptsExactlyTheWellFormedSequencesAtTheEdgesOfEachRange)
{
    struct Case
    {
        const char* bytes;
        bool valid;
    };
    const Case cases[] = {
        {"\xC2\x80", true},
        {"\xDF\xBF", true},
        {"\xC1\xBF", false},
        {"\xC2\x7F", false},
        {"\xC2\xC0", false},
        {"\xE0\xA0\x80", true},
        {"\xE0\x9F\xBF", false},
        {"\xE1\x80\x80", true},
        {"\xEC\xBF\xBF", true},
        {"\xE1\x80\xC0", false},
        {"\xED\x9F\xBF", true},
        {"\xED\xA0\x80", false},
        {"\xEE\x80\x80", true},
        {"\xEF\xBF\xBF", true},
        {"\xF0\x90\x80\x80", true},
        {"\xF0\x8F\xBF\xBF", false},
        {"\xF1\x80\x80\x80", true},
        {"\xF3\xBF\xBF\xBF", true},
        {"\xF1\x80\x80\x7F", false},
        {"\xF4\x8F\xBF\xBF", true},
        {"\xF4\x90\x80\x80", false},
        {"\xF5\x80\x80\x80", false},
        {"\x80", false},
        {"\xFF", false},
    };
    // Alone, and after enough ASCII for the vector paths to take the first blocks.
    const QByteArray ascii(40, 'a');
    for (const Case& c : cases) {
        for (const QByteArray& before : {QByteArray(), ascii}) {
            const Utf8Check check = checkUtf8(before + c.bytes + " z");
            EXPECT_EQ(check.valid, c.valid) << QByteArray(c.bytes).toHex(' ').constData() << " after " << before.size();
        }
    }
}

} // namespace
} // namespace quillora
