// The folder walk. Steps are numbered for the error box; once the first listing of a call has begun, a failure
// ends the work on that one folder instead.
#include "folders/FolderWalk.h"

#include "folders/FolderSteps.h"
#include "folders/NameChecks.h"
#include "platform/ErrorReport.h"
#include "platform/Failure.h"
#include "platform/FileFacts.h"
#include "platform/NameBytes.h"
#include "platform/NativeSeparator.h"

#include <QHash>
#include <new>
#include <optional>

namespace quillora {

namespace {

constexpr qsizetype pathLimit = 260;

// Hidden + system + directory, with or without the reparse point: the platform's own folders, never walked.
bool isProtectedFolderValue(std::optional<quint32> value)
{
    constexpr quint32 hiddenSystemFolder = attribute::hidden | attribute::system | attribute::directory;
    return value && (*value == hiddenSystemFolder || *value == (hiddenSystemFolder | attribute::reparsePoint));
}

// The attribute values of the folders of one walk. Every level tests each folder below it again, so each value
// is read from the platform once per walk; a read that fails is tried again.
class FolderValues
{
public:
    std::optional<quint32> attributes(const QString& path)
    {
        const auto known = values_.constFind(path);
        if (known != values_.cend())
            return *known;
        const std::optional<quint32> value = fileFacts().attributes(path);
        values_.insert(path, value);
        return value;
    }

    bool isFolder(const QString& path)
    {
        const std::optional<quint32> value = attributes(path);
        return value && (*value & attribute::directory) != 0;
    }

    bool isWalkable(const QString& folder)
    {
        return !isProtectedFolderValue(attributes(folder)) || fileFacts().isRootFolder(folder);
    }

    // A linked sub-folder that leads back to its parent or to a folder above it would be walked again and again
    // under ever longer names (and twice as often for every second such link), so it is left out. A link that
    // cannot be followed is no loop.
    bool leadsBackUp(const QString& parent, const QString& child)
    {
        FileFacts& facts = fileFacts();
        try {
            const std::optional<quint32> value = attributes(child);
            if (!value || (*value & attribute::reparsePoint) == 0)
                return false;
            const QString target = facts.resolvedPath(child);
            if (target.isEmpty())
                return false;
            for (qsizetype end = parent.indexOf(nativeSeparator()); end >= 0;
                 end = parent.indexOf(nativeSeparator(), end + 1)) {
                if (facts.resolvedPath(parent.left(end + 1)) == target)
                    return true;
            }
        } catch (const Failure&) { }
        return false;
    }

private:
    QHash<QString, std::optional<quint32>> values_;
};

// Ends a walk that was asked to stop, from wherever it stands.
struct Stopped
{ };

class Walk
{
public:
    Walk(const FolderWalkHooks& hooks, FolderValues& values)
        : hooks_(hooks)
        , values_(values)
        , report_(hooks.tell, folderWalkOrigin())
    { }

    void run(QStringList& folders, bool recurse)
    {
        QStringList found;
        walkEach(folders, found);
        if (recurse && !found.isEmpty())
            report_.step(walksteps::walkFoundFolders, [&] { Walk(hooks_, values_).run(found, true); });
        for (const QString& folder : std::as_const(found)) {
            if (!report_.choice(walksteps::foundIsFolder, [&] { return values_.isFolder(folder); }))
                continue;
            report_.step(walksteps::foundLetEventsThrough, [&] { letEventsThrough(); });
            if (report_.choice(walksteps::foundWalkable, [&] { return values_.isWalkable(folder); }))
                report_.step(walksteps::keepFound, [&] { folders.append(folder); });
        }
    }

private:
    // Before the first listing a failed step is reported and the next one runs; from then on it reaches the
    // per-folder handling.
    template <typename Step> void step(int line, Step&& action)
    {
        if (listingStarted_)
            action();
        else
            report_.step(line, action);
    }

    template <typename Test> bool choice(int line, Test&& test)
    {
        return listingStarted_ ? test() : report_.choice(line, test);
    }

    void walkEach(QStringList& folders, QStringList& found)
    {
        qsizetype next = 0;
        while (next < folders.size()) {
            const QString folder = folders.at(next++);
            try {
                walkOne(folder, found);
            } catch (const Failure& failure) {
                if (failure.number() == 70 || failure.number() == 76) {
                    // The first equal entry is this one or an earlier copy; either way the walk goes on with the
                    // entry that followed this one.
                    const qsizetype at = folders.indexOf(folder);
                    if (at >= 0 && at < next) {
                        folders.removeAt(at);
                        --next;
                    }
                }
            } catch (const std::bad_alloc&) { }
        }
    }

    bool acceptsName(const QString& parent, const QString& name)
    {
        return name.size() < pathLimit && !HasBadCharacters(name) && !name.contains(QChar(u'?'))
            && name != QStringLiteral(".") && name != QStringLiteral("..")
            && !values_.leadsBackUp(parent, parent + name + nativeSeparator());
    }

    void walkOne(const QString& folder, QStringList& found)
    {
        if (choice(walksteps::notAFolder, [&] { return !values_.isFolder(folder); }))
            return;
        if (choice(walksteps::pathTooLong, [&] { return folder.size() >= pathLimit; }))
            return;
        step(walksteps::letEventsThrough, [&] { letEventsThrough(); });
        if (!choice(walksteps::walkable, [&] { return values_.isWalkable(folder); }))
            return;
        listingStarted_ = true;
        const QStringList names = fileFacts().listSubfolders(folder);
        for (const QString& name : names) {
            letEventsThrough();
            const QString path = folder + name + nativeSeparator();
            if (hooks_.leaveOut && hooks_.leaveOut(path))
                continue;
            if (isUndecodableName(name)) {
                if (hooks_.undecodableName)
                    hooks_.undecodableName(path);
                continue;
            }
            if (acceptsName(folder, name))
                found.append(path);
        }
    }

    void letEventsThrough()
    {
        hooks_.events.letEventsThrough();
        if (hooks_.stopRequested && hooks_.stopRequested())
            throw Stopped();
    }

    const FolderWalkHooks& hooks_;
    FolderValues& values_;
    ErrorReport report_;
    bool listingStarted_ = false;
};

} // namespace

QString folderWalkOrigin()
{
    return QStringLiteral("Tarnwick2021/08/31.AddFolder.GetSubDirectories2016");
}

bool collectSubFolders(QStringList& folders, bool recurse, const FolderWalkHooks& hooks)
{
    FolderValues values;
    try {
        Walk(hooks, values).run(folders, recurse);
    } catch (const Stopped&) {
        return false;
    }
    return true;
}

} // namespace quillora
