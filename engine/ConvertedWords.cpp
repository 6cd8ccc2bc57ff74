// Splits converted text at its line breaks; a converted text holds no spaces, so its lines are its words.
#include "engine/ConvertedWords.h"

#include "engine/CaseFolding.h"

#include <span>

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
        countBatch();
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
            break;
        }
        count(QByteArrayView(wordStart, at - wordStart));
    }
    // The words in the piece are counted before it is gone.
    countBatch();
}

void ConvertedWords::finish()
{
    if (!carried_.isEmpty())
        count(carried_);
    countBatch();
    carried_.clear();
}

void ConvertedWords::restart()
{
    carried_.clear();
    gathered_ = 0;
    batchBytes_.clear();
    counts_.clear();
}

void ConvertedWords::count(QByteArrayView word)
{
    Gathered& gathered = batch_[gathered_++];
    // A word that does not stay where it is until the batch is counted is copied.
    const bool copied = foldCase_ || word.data() == carried_.constData();
    if (foldCase_) {
        caseFoldUtf8(word, folded_);
        word = folded_;
    }
    gathered.start = copied ? nullptr : word.data();
    gathered.offset = batchBytes_.size();
    gathered.length = word.size();
    gathered.hash = WordCounts::hashOf(word);
    if (copied)
        batchBytes_.append(word);
    counts_.prefetch(gathered.hash);
    if (gathered_ == batchSize)
        countBatch();
}

void ConvertedWords::countBatch()
{
    for (const Gathered& gathered : std::span(batch_, gathered_)) {
        const char* start = gathered.start ? gathered.start : batchBytes_.constData() + gathered.offset;
        counts_.add(QByteArrayView(start, gathered.length), gathered.hash, 1);
    }
    gathered_ = 0;
    batchBytes_.clear();
}

} // namespace quillora
