// Throughput of the word-per-line rule in MB of input per second, beside a plain memory copy of the same text.
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
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}

} // namespace

int main()
{
    const QString text = wordsText(50'000'000);
    const QByteArray utf8 = text.toUtf8();
    const double megabytes = double(utf8.size()) / 1e6;

    std::vector<char> copy(size_t(text.size()) * 2);
    const double copySeconds = medianSeconds([&] { std::memcpy(copy.data(), text.constData(), copy.size()); });
    qsizetype sink = 0;
    const double utf16Seconds = medianSeconds([&] { sink += quillora::WordsToLines(text).size(); });
    const quillora::Utf8Sink count = [&sink](QByteArrayView bytes) { sink += bytes.size(); };
    const double fusedSeconds = medianSeconds([&] { quillora::WordsToLinesUtf8(QStringView(text), count); });
    const double bytesSeconds = medianSeconds([&] { quillora::WordsToLinesUtf8(QByteArrayView(utf8), count); });

    std::printf("input: %.1f MB of UTF-8 (%lld UTF-16 code units)\n", megabytes, static_cast<long long>(text.size()));
    std::printf("%-38s %9.1f MB/s\n", "memcpy of the UTF-16 text (baseline)", megabytes / copySeconds);
    std::printf("%-38s %9.1f MB/s  %.2fx baseline time\n", "WordsToLines (UTF-16 result)", megabytes / utf16Seconds,
                utf16Seconds / copySeconds);
    std::printf("%-38s %9.1f MB/s  %.2fx baseline time\n", "WordsToLinesUtf8 from UTF-16, streamed",
                megabytes / fusedSeconds, fusedSeconds / copySeconds);
    std::printf("%-38s %9.1f MB/s  %.2fx baseline time\n", "WordsToLinesUtf8 from UTF-8, streamed",
                megabytes / bytesSeconds, bytesSeconds / copySeconds);
    return sink > 0 ? 0 : 1;
}
