// One stage of the pipeline benchmark per run, so each gets its own peak memory: the batch pipeline on a file
// (read by the rule, convert, encode, atomic write), a plain read-and-write copy, or generating the input.
#include "bench/bench_word_file.h"
#include "engine/ReadingRule.h"
#include "engine/Windows1252.h"
#include "results/ResultFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <sys/resource.h>

namespace {

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int generate(const QString& path, qint64 megabytes, bool ansi)
{
    static const char* const words[] = {"the",
                                        "quick",
                                        "brown",
                                        "fox\r\njumps",
                                        "over",
                                        "a",
                                        "lazy",
                                        "dog.",
                                        "and",
                                        "then",
                                        "runs",
                                        "caf\xC3\xA9",
                                        "\xE2\x82\xAC"
                                        "5"};
    // The same words in Windows-1252, for a file that is not UTF-8.
    static const QList<QByteArray> ansiWords = [] {
        QList<QByteArray> encoded;
        for (const char* word : words) {
            QByteArray bytes;
            for (const QChar character : QString::fromUtf8(word))
                bytes.append(char(quillora::windows1252Code(character.unicode())));
            encoded << bytes;
        }
        return encoded;
    }();
    if (ansi)
        return writeWordFile(path, megabytes, ansiWords);
    QList<QByteArray> utf8Words;
    for (const char* word : words)
        utf8Words << QByteArray(word);
    return writeWordFile(path, megabytes, utf8Words);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() >= 4 && args[1] == QStringLiteral("generate"))
        return generate(args[2], args[3].toLongLong(), args.size() > 4 && args[4] == QStringLiteral("ansi"));
    if (args.size() != 4 || (args[1] != QStringLiteral("pipeline") && args[1] != QStringLiteral("copy"))) {
        std::fprintf(stderr, "usage: bench_pipeline pipeline|copy IN OUT | generate OUT MEGABYTES [ansi]\n");
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    if (args[1] == QStringLiteral("copy")) {
        QFile in(args[2]);
        QFile out(args[3]);
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 2;
        const QByteArray bytes = in.readAll();
        out.write(bytes);
        out.close();
    } else {
        const quillora::OrFailure<quillora::RuleReading> reading = quillora::readByRule(
            args[2], {126, 128, 130, 132, 134}, quillora::ReadingMode::WhileConverting, quillora::localeAnsiCodePage());
        if (!reading) {
            std::fprintf(stderr, "%s at line %d\n", qPrintable(reading.failure().description), reading.failure().line);
            return 3;
        }
        quillora::ResultFile result(args[3]);
        result.open();
        const auto settled = reading->text.wordsToLinesUtf8UnlessNotText(
            [&result](QByteArrayView bytes) { result.write(bytes); }, [&result] { result.restart(); });
        if (settled == quillora::FileText::Outcome::NotText)
            return 4;
        result.close();
    }
    std::printf("%.3f %ld\n", double(timer.nsecsElapsed()) / 1e9, peakKilobytes());
    return 0;
}
