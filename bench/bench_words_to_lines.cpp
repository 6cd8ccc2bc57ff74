// Throughput of the word-per-line rule and the UTF-8 check in MB of input per second, on each vector level the
// processor has, beside a plain memory copy of the same text and, for each row, the time of only moving the bytes
// that row reads and writes.
#include "BenchSupport.h"
#include "engine/SimdLevel.h"
#include "engine/Utf8Check.h"
#include "engine/Windows1252.h"
#include "engine/WordsToLines.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

QString wordsText(qsizetype characters)
{
    static const char16_t* const words[] = {u"the",       u"quick", u"brown\r\nfox", u"jumps",   u"over", u"a",
                                            u"caf\u00E9", u"lazy",  u"dog.",         u"\u20AC5", u"and",  u"runs"};
    QRandomGenerator random(42);
    QString text;
    text.reserve(characters + 32);
    while (text.size() < characters) {
        text.append(QString::fromUtf16(words[random.bounded(int(std::size(words)))]));
        text.append(random.bounded(8) == 0 ? QStringLiteral("  ") : QStringLiteral(" "));
    }
    return text;
}

template <typename Work> double medianSeconds(Work&& work, int runs = 5)
{
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    return quillora::bench::median(seconds);
}

// The least work that reads in and writes outBytes: a copy of the input into a buffer of the output's size (the
// rest filled), or, where nothing is written, a scan of the input for a byte it does not hold.
double movingSeconds(QByteArrayView in, qsizetype outBytes)
{
    if (outBytes == 0) {
        return medianSeconds([&] { quillora::bench::keep(std::memchr(in.data(), 0xFF, size_t(in.size()))); });
    }
    std::vector<char> out(static_cast<size_t>(outBytes));
    const size_t copied = size_t(std::min(in.size(), outBytes));
    return medianSeconds([&] {
        std::memcpy(out.data(), in.data(), copied);
        std::memset(out.data() + copied, ' ', out.size() - copied);
        quillora::bench::keep(out.data());
    });
}

} // namespace

int main()
{
    const QString text = wordsText(50'000'000);
    const QByteArray utf8 = text.toUtf8();
    const double megabytes = double(utf8.size()) / 1e6;

    std::vector<char> copy(size_t(text.size()) * 2);
    const double copySeconds = medianSeconds([&] {
        std::memcpy(copy.data(), text.constData(), copy.size());
        quillora::bench::keep(copy.data());
    });
    std::printf("input: %.1f MB of UTF-8 (%lld UTF-16 code units); medians of 5 runs\n", megabytes,
                static_cast<long long>(text.size()));
    std::printf("%-42s %9.1f MB/s\n", "memcpy of the UTF-16 text (baseline)", megabytes / copySeconds);
    qsizetype sink = 0;
    // Each row beside the copy of the whole text and beside moving its own bytes.
    const auto report = [&](const char* what, double seconds, double movingSeconds) {
        std::printf("%-42s %9.1f MB/s  %.2fx baseline time  %.2fx moving its bytes\n", what, megabytes / seconds,
                    seconds / copySeconds, seconds / movingSeconds);
    };
    const QByteArrayView utf16(reinterpret_cast<const char*>(text.constData()), text.size() * 2);
    const double toLinesMoving = movingSeconds(utf16, quillora::WordsToLines(text).size() * 2);
    QByteArray ansi;
    ansi.reserve(text.size());
    for (const QChar character : text)
        ansi.append(char(quillora::windows1252Code(character.unicode())));
    const quillora::Utf8Sink count = [&sink](QByteArrayView bytes) { sink += bytes.size(); };
    // Every converter writes the same UTF-8 lines; valid UTF-8 holds no 0xFF, so the check's scan reads it all.
    const qsizetype linesBytes = quillora::WordsToLinesUtf8(QStringView(text)).size();
    const double checkMoving = movingSeconds(utf8, 0);
    const double fromUtf8Moving = movingSeconds(utf8, linesBytes);
    const double fromUtf16Moving = movingSeconds(utf16, linesBytes);
    const double fromAnsiMoving = movingSeconds(ansi, linesBytes);
    const char* const names[] = {"scalar", "SSE2", "AVX2"};
    for (const auto level : {quillora::SimdLevel::Scalar, quillora::SimdLevel::Sse2, quillora::SimdLevel::Avx2}) {
        if (level > quillora::processorSimdLevel())
            continue;
        const quillora::SimdLimit limit(level);
        std::printf("-- %s\n", names[int(level)]);
        report("WordsToLines (UTF-16 result)", medianSeconds([&] { sink += quillora::WordsToLines(text).size(); }),
               toLinesMoving);
        report("checkUtf8", medianSeconds([&] { sink += quillora::checkUtf8(utf8).valid; }), checkMoving);
        report("WordsToLinesUtf8 from UTF-8, streamed",
               medianSeconds([&] { quillora::WordsToLinesUtf8(QByteArrayView(utf8), count); }), fromUtf8Moving);
        report("WordsToLinesUtf8 from UTF-16, streamed",
               medianSeconds([&] { quillora::WordsToLinesUtf8(QStringView(text), count); }), fromUtf16Moving);
        report("WordsToLinesUtf8FromWindows1252, streamed",
               medianSeconds([&] { quillora::WordsToLinesUtf8FromWindows1252(ansi, count); }), fromAnsiMoving);
    }
    return sink > 0 ? 0 : 1;
}
