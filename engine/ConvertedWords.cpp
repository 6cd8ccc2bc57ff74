// Splits converted text at its line breaks; a converted text holds no spaces, so its lines are its words.
#include "engine/ConvertedWords.h"

#include "engine/CaseFolding.h"

namespace quillora {

namespace {
bool isBreak(char byte)
{
    return byte == '\n' || byte == '\r';
}
} // namespace

ConvertedWords::ConvertedWords(WordCounts& counts, bool foldCase)
    : counts_(counts)
    , foldCase_(foldCase)
{ }

void ConvertedWords::feed(QByteArrayView piece)
{
    const char* at = piece.data();
    const char* const end = at + piece.size();
    if (!carried_.isEmpty()) {
        const char* wordEnd = at;
        while (wordEnd < end && !isBreak(*wordEnd))
            ++wordEnd;
        carried_.append(at, wordEnd - at);
        if (wordEnd == end)
            return;
        count(carried_);
        carried_.clear();
        at = wordEnd;
    }
    while (at < end) {
        while (at < end && isBreak(*at))
            ++at;
        const char* const wordStart = at;
        while (at < end && !isBreak(*at))
            ++at;
        if (at == end) {
            carried_.append(wordStart, end - wordStart);
            return;
        }
        count(QByteArrayView(wordStart, at - wordStart));
    }
}

void ConvertedWords::finish()
{
    if (!carried_.isEmpty())
        count(carried_);
    carried_.clear();
}

void ConvertedWords::restart()
{
    carried_.clear();
    counts_.clear();
}

void ConvertedWords::count(QByteArrayView word)
{
    if (!foldCase_) {
        counts_.add(word);
        return;
    }
    caseFoldUtf8(word, folded_);
    counts_.add(folded_);
}

} // namespace quillora
