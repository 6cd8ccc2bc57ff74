// Writing a 1 MB and a 10 MB value to the settings store beside a plain write of the same bytes, medians and ratio.
#include "bench/BenchSupport.h"
#include "platform/FileSettingsStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using quillora::bench::median;

QString wordsOfSize(qsizetype units)
{
    static const char* const words[] = {"the",   "quick", "brown",   "fox",     "jumps", "over", "lazy",   "dogs",
                                        "while", "seven", "wizards", "quietly", "hex",   "a",    "jovial", "bard"};
    QString text;
    text.reserve(units + 16);
    quint32 state = 12345;
    while (text.size() < units) {
        state = state * 1103515245u + 12345u;
        text += QLatin1String(words[(state >> 16) % 16]);
        text += QChar(u' ');
    }
    text.truncate(units);
    return text;
}

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    quillora::FileSettingsStore store(folder.path() + QStringLiteral("/store"));
    const QString plainPath = folder.path() + QStringLiteral("/plain.txt");
    const int rounds = 21;

    std::printf("Settings store: one file per key, replaced by renaming a temporary file; %d rounds, medians\n",
                rounds);
    std::printf("%-8s %12s %12s %8s   %-44s %s\n", "value", "store (ms)", "plain (ms)", "ratio", "bar",
                "for comparison: synced QSaveFile (ms)");
    bool allMet = true;
    for (const int megabytes : {1, 10}) {
        const QString value = wordsOfSize(qsizetype(megabytes) << 20);
        const QByteArray bytes = value.toUtf8();
        std::vector<double> storeTimes;
        std::vector<double> plainTimes;
        std::vector<double> syncedTimes;
        for (int round = 0; round < rounds; ++round) {
            // Each round writes a value that differs from the last, as typing does.
            const QString next = value + QString::number(round);
            QElapsedTimer timer;
            timer.start();
            store.save(QStringLiteral("Corvanta"), QStringLiteral("Quillora"), QStringLiteral("Text1"), next);
            storeTimes.push_back(milliseconds(timer));

            timer.restart();
            QFile plain(plainPath);
            if (!plain.open(QIODevice::WriteOnly | QIODevice::Truncate) || plain.write(bytes) != bytes.size())
                return 1;
            plain.close();
            plainTimes.push_back(milliseconds(timer));

            timer.restart();
            QSaveFile synced(folder.path() + QStringLiteral("/synced.txt"));
            if (!synced.open(QIODevice::WriteOnly) || synced.write(next.toUtf8()) < 0 || !synced.commit())
                return 1;
            syncedTimes.push_back(milliseconds(timer));
        }
        const double storeMedian = median(storeTimes);
        const double plainMedian = median(plainTimes);
        const double ratio = storeMedian / plainMedian;
        const double limit = megabytes == 1 ? 5.0 : 40.0;
        const bool met = storeMedian <= limit && ratio <= 3.0;
        allMet = allMet && met;
        std::printf("%3d MB   %12.2f %12.2f %8.2f   <= %2.0f ms and <= 3x plain: %-15s %.2f (%.1fx plain)\n", megabytes,
                    storeMedian, plainMedian, ratio, limit, met ? "met" : "NOT MET", median(syncedTimes),
                    median(syncedTimes) / plainMedian);
    }
    return allMet ? 0 : 2;
}
