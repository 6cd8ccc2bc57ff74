// Writes a benchmark's input: words picked at random from a list, one space between them and now and then two.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QRandomGenerator>

inline int writeWordFile(const QString& path, qint64 megabytes, const QList<QByteArray>& words)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 2;
    QRandomGenerator random(1);
    QByteArray block;
    const qint64 target = megabytes * 1'000'000;
    qint64 written = 0;
    while (written < target) {
        block.clear();
        while (block.size() < (1 << 20)) {
            block.append(words[int(random.bounded(quint32(words.size())))]);
            block.append(random.bounded(10) == 0 ? "  " : " ");
        }
        written += file.write(block.left(qMin<qint64>(block.size(), target - written)));
    }
    return 0;
}
