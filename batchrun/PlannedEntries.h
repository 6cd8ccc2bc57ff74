// The files of a run with the result path of each, chosen by the caller, and the results two of them would share.
#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace quillora {

struct PlannedEntry
{
    QString source;
    QString result;
};

// The entries but those whose result lands where the result of an earlier one does: each of those is handed to
// leftOut with the earlier entry. Relative paths are taken from the folder the process is in.
QList<PlannedEntry>
withoutSharedResults(const QList<PlannedEntry>& entries,
                     const std::function<void(const PlannedEntry& leftOut, const PlannedEntry& earlier)>& tellLeftOut);

} // namespace quillora
