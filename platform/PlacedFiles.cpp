// A bounded record of the results put in place last, shared by the threads that put them there.
#include "platform/PlacedFiles.h"

#include <QHash>
#include <deque>
#include <mutex>

namespace quillora {

namespace {
// Far more than the results a run writes ahead of the ones it puts in place.
constexpr std::size_t remembered = 4096;

struct Placed
{
    std::mutex mutex;
    QHash<QByteArray, FileIdentity> identities;
    std::deque<QByteArray> order;
};

Placed& placed()
{
    static Placed record;
    return record;
}
} // namespace

void rememberPlaced(const QByteArray& target, const FileIdentity& identity)
{
    Placed& record = placed();
    const std::lock_guard lock(record.mutex);
    if (!record.identities.contains(target))
        record.order.push_back(target);
    record.identities.insert(target, identity);
    if (record.order.size() > remembered) {
        record.identities.remove(record.order.front());
        record.order.pop_front();
    }
}

bool wasPlacedHere(const QByteArray& target, const FileIdentity& identity)
{
    Placed& record = placed();
    const std::lock_guard lock(record.mutex);
    const auto found = record.identities.constFind(target);
    return found != record.identities.cend() && *found == identity;
}

} // namespace quillora
