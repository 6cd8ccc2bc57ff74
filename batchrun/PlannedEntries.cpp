// Results that would land on one path are found by the path written out whole.
#include "batchrun/PlannedEntries.h"

#include <QDir>
#include <QHash>

namespace quillora {

QList<PlannedEntry>
withoutSharedResults(const QList<PlannedEntry>& entries,
                     const std::function<void(const PlannedEntry& leftOut, const PlannedEntry& earlier)>& tellLeftOut)
{
    const QDir here = QDir::current();
    QHash<QString, qsizetype> taken;
    QList<PlannedEntry> kept;
    for (const PlannedEntry& entry : entries) {
        const QString key = QDir::cleanPath(here.absoluteFilePath(QDir::fromNativeSeparators(entry.result)));
        const auto earlier = taken.constFind(key);
        if (earlier != taken.cend()) {
            tellLeftOut(entry, kept.at(*earlier));
            continue;
        }
        taken.insert(key, kept.size());
        kept.append(entry);
    }
    return kept;
}

} // namespace quillora
