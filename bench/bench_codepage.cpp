// One conversion of a file without a mark in a chosen ANSI code page per run (read from the file piece by piece,
// convert, atomic write), or generating a text of Russian words in Windows-1251.
#include "bench/bench_word_file.h"
#include "engine/AnsiCodePage.h"
#include "engine/FileBytes.h"
#include "engine/FileText.h"
#include "platform/Failure.h"
#include "results/ResultFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringEncoder>
#include <cstdio>

namespace {

int generate(const QString& path, qint64 megabytes)
{
    static const char16_t* const words[]
        = {u"быстрая", u"бурая", u"лиса\r\nпрыгает", u"через", u"ленивую", u"собаку.", u"а",
           u"и",       u"потом", u"бежит",           u"кафе",  u"€5",      u"ещё"};
    QList<QByteArray> encoded;
    QStringEncoder encoder("windows-1251");
    for (const char16_t* word : words)
        encoded << QByteArray(encoder.encode(QString::fromUtf16(word)));
    return writeWordFile(path, megabytes, encoded);
}

// What reading a large file without a mark does: one checking pass, then converting from the file.
int convert(const QString& in, const QString& out, quillora::AnsiCodePage page)
{
    try {
        const quillora::FileText text = quillora::FileText::inFile(in, 0, quillora::scanFileBytes(in, 0, true), page);
        quillora::ResultFile result(out);
        result.open();
        text.wordsToLinesUtf8([&result](QByteArrayView bytes) { result.write(bytes); });
        result.close();
    } catch (const quillora::Failure& failure) {
        std::fprintf(stderr, "%s\n", qPrintable(failure.description()));
        return 3;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() == 4 && args[1] == QStringLiteral("generate"))
        return generate(args[2], args[3].toLongLong());
    const std::optional<quillora::AnsiCodePage> page
        = args.size() == 5 ? quillora::parseAnsiCodePage(args[4]) : std::nullopt;
    if (args.size() != 5 || args[1] != QStringLiteral("convert") || !page) {
        std::fprintf(stderr, "usage: bench_codepage convert IN OUT CODEPAGE | generate OUT MEGABYTES\n");
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    const int status = convert(args[2], args[3], *page);
    std::printf("%.3f\n", double(timer.nsecsElapsed()) / 1e9);
    return status;
}
