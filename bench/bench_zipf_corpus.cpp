// Writes the word-list benchmark's corpus: words from a vocabulary of 200,000 drawn by Zipf's law with a fixed seed,
// mostly lower-case ASCII, some capitalised, some in é/ß, Cyrillic or Greek, a few holding a tab or a no-break
// space; one space between words, now and then more, and a line end of each kind every few dozen words, now and
// then two.
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int vocabularySize = 200'000;
// Tuned so that about 175,000 of the vocabulary's words appear in 100 MB.
constexpr double zipfExponent = 1.257;

template <size_t size> QString pick(QRandomGenerator& random, const char16_t* const (&choices)[size])
{
    return QString::fromUtf16(choices[random.bounded(int(size))]);
}

// Pronounceable letters: onsets and vowels in turn until the word is long enough, cut to its length.
template <size_t onsets, size_t vowels>
QString syllables(QRandomGenerator& random, int length, const char16_t* const (&onset)[onsets],
                  const char16_t* const (&vowel)[vowels])
{
    QString word;
    bool vowelNext = random.bounded(3) == 0;
    while (word.size() < length) {
        word += vowelNext ? pick(random, vowel) : pick(random, onset);
        vowelNext = !vowelNext;
    }
    word.truncate(length);
    return word;
}

QString latinWord(QRandomGenerator& random, int length)
{
    static const char16_t* const onsets[]
        = {u"b", u"c", u"d", u"f", u"g", u"h", u"k", u"l",  u"m",  u"n",  u"p",  u"r",  u"s",  u"t",  u"v",
           u"w", u"y", u"z", u"l", u"n", u"r", u"s", u"th", u"st", u"br", u"ch", u"sh", u"tr", u"nd", u"ng"};
    static const char16_t* const vowels[] = {u"a", u"e", u"i", u"o", u"u", u"e", u"a", u"ea", u"ou", u"ai", u"io"};
    return syllables(random, length, onsets, vowels);
}

// A Latin word with one letter of a Western European language in it.
QString accentedWord(QRandomGenerator& random, int length)
{
    static const char16_t* const letters[] = {u"\u00E9", u"\u00DF", u"\u00FC", u"\u00F1", u"\u00E8", u"\u00E7"};
    QString word = latinWord(random, length);
    word[random.bounded(int(word.size()))] = pick(random, letters)[0];
    return word;
}

QString cyrillicWord(QRandomGenerator& random, int length)
{
    static const char16_t* const onsets[]
        = {u"б", u"в", u"г", u"д", u"ж", u"з", u"к",  u"л",  u"м",  u"н",  u"п",  u"р",  u"с", u"т",
           u"х", u"ч", u"ш", u"щ", u"ц", u"ф", u"ст", u"пр", u"вс", u"кр", u"сл", u"др", u"тв"};
    static const char16_t* const vowels[] = {u"а", u"е", u"и", u"о", u"у", u"ы", u"я", u"ю", u"ё", u"ой", u"ий"};
    return syllables(random, length, onsets, vowels);
}

// Greek, with the final form of sigma where a word ends in one.
QString greekWord(QRandomGenerator& random, int length)
{
    static const char16_t* const onsets[] = {u"β", u"γ", u"δ", u"ζ", u"θ", u"κ", u"λ", u"μ",  u"ν",  u"ξ",
                                             u"π", u"ρ", u"σ", u"τ", u"φ", u"χ", u"ψ", u"στ", u"σκ", u"πρ"};
    static const char16_t* const vowels[] = {u"α", u"ε", u"η", u"ι", u"ο", u"υ", u"ω", u"ά", u"έ", u"ί", u"ό", u"ου"};
    QString word = syllables(random, length, onsets, vowels);
    if (word.endsWith(u'σ'))
        word.back() = u'ς';
    return word;
}

// Frequent words are short: from 2 to 4 letters at the top of the list to about 10 at its end.
QString vocabularyWord(QRandomGenerator& random, int rank)
{
    const int length = 2 + int(0.4 * std::log2(rank + 1.0)) + random.bounded(3);
    const int script = random.bounded(1000);
    QString word = script < 960 ? latinWord(random, length)
        : script < 975          ? accentedWord(random, length)
        : script < 990          ? cyrillicWord(random, length)
                                : greekWord(random, length);
    if (random.bounded(100) < 6)
        word[0] = word[0].toUpper();
    if (random.bounded(2000) == 0)
        word.insert(1 + random.bounded(int(word.size()) - 1), random.bounded(2) ? u'\t' : u'\u00A0');
    return word;
}

// The vocabulary in order of rank, each word different; a word drawn twice is drawn again one letter longer.
std::vector<QByteArray> vocabulary(QRandomGenerator& random)
{
    std::vector<QByteArray> words;
    QSet<QByteArray> taken;
    words.reserve(vocabularySize);
    for (int rank = 1; rank <= vocabularySize; ++rank) {
        QByteArray word;
        for (int tries = 0; word.isEmpty() || taken.contains(word); ++tries)
            word = vocabularyWord(random, rank + tries * rank).toUtf8();
        taken.insert(word);
        words.push_back(word);
    }
    return words;
}

// The share of all draws taken by the ranks up to each one.
std::vector<double> zipfCumulative()
{
    std::vector<double> cumulative(vocabularySize);
    double sum = 0;
    for (int rank = 1; rank <= vocabularySize; ++rank)
        cumulative[size_t(rank - 1)] = sum += std::pow(rank, -zipfExponent);
    for (double& share : cumulative)
        share /= sum;
    return cumulative;
}

QByteArray separator(QRandomGenerator& random, int& wordsLeftOnLine)
{
    if (--wordsLeftOnLine <= 0) {
        wordsLeftOnLine = 10 + random.bounded(50);
        const int kind = random.bounded(10);
        const QByteArray lineEnd = kind < 6 ? "\r\n" : kind < 9 ? "\n" : "\r";
        return random.bounded(8) == 0 ? lineEnd + lineEnd : lineEnd;
    }
    const int kind = random.bounded(100);
    return kind < 92 ? " " : kind < 98 ? "  " : QByteArray(3 + random.bounded(4), ' ');
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    const qint64 megabytes = args.size() == 3 ? args[2].toLongLong() : 100;
    if (args.size() < 2 || args.size() > 3 || megabytes <= 0) {
        std::fprintf(stderr, "usage: bench_zipf_corpus OUT [MEGABYTES]\n");
        return 2;
    }
    QFile file(args[1]);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "bench_zipf_corpus: %s\n", qPrintable(file.errorString()));
        return 1;
    }
    QRandomGenerator random(1);
    const std::vector<QByteArray> words = vocabulary(random);
    const std::vector<double> cumulative = zipfCumulative();
    std::vector<bool> appeared(vocabularySize);
    const qint64 target = megabytes << 20;
    qint64 written = 0;
    qint64 drawn = 0;
    int wordsLeftOnLine = 1;
    QByteArray block;
    while (written < target) {
        block.clear();
        while (block.size() < (1 << 20) && written + block.size() < target) {
            const auto index = size_t(std::lower_bound(cumulative.begin(), cumulative.end(), random.generateDouble())
                                      - cumulative.begin());
            const size_t rank = std::min(index, words.size() - 1);
            appeared[rank] = true;
            ++drawn;
            block += words[rank];
            block += separator(random, wordsLeftOnLine);
        }
        if (written + block.size() >= target && !block.endsWith('\n') && !block.endsWith('\r'))
            block += "\r\n";
        if (file.write(block) != block.size()) {
            std::fprintf(stderr, "bench_zipf_corpus: %s\n", qPrintable(file.errorString()));
            return 1;
        }
        written += block.size();
    }
    std::printf("%lld bytes, %lld words, %lld of the %d in the vocabulary\n", static_cast<long long>(written),
                static_cast<long long>(drawn),
                static_cast<long long>(std::count(appeared.begin(), appeared.end(), true)), vocabularySize);
    return file.flush() ? 0 : 1;
}
