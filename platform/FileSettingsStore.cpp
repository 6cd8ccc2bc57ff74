// Keeps each setting in its own file, written to a temporary file beside it and renamed over the old one.
#include "platform/FileSettingsStore.h"

#include "platform/Failure.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cstdio>
#endif

namespace quillora {

namespace {
// Keeps names safe as file names whatever characters they hold; "." is encoded too, so no name is "." or ".."
// and no key's file can be taken for a temporary file ("name.XXXXXX").
QString fileNamePart(const QString& name)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(name, QByteArray(), QByteArrayLiteral(".")));
}

[[noreturn]] void throwWriteFailure(const QFileDevice& file)
{
    if (file.errorString().contains(QStringLiteral("No space"), Qt::CaseInsensitive))
        throw Failure::diskFull();
    throw Failure::deviceIo();
}

// Puts from in the place of to in one step: a reader sees the old file or the new one, never a part of either.
bool replaceFile(const QString& from, const QString& to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(to).utf16()), MOVEFILE_REPLACE_EXISTING)
        != 0;
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

bool isAddress(const QString& application, const QString& section, const QString& key)
{
    return !application.isEmpty() && !section.isEmpty() && !key.isEmpty();
}

void writeValue(const QString& path, const QByteArray& bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw Failure::permissionDenied();
    // No sync to disk: the rename alone makes the value whole and lasting once the program ends or is killed,
    // and a sync per keystroke would cost more than the write itself.
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open())
        throw Failure::permissionDenied();
    if (file.write(bytes) != bytes.size() || !file.flush())
        throwWriteFailure(file);
    file.close();
    if (!replaceFile(file.fileName(), path))
        throw Failure::permissionDenied();
    file.setAutoRemove(false);
}
} // namespace

FileSettingsStore::FileSettingsStore(QString root)
    : root_(std::move(root))
{ }

FileSettingsStore::~FileSettingsStore()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    writer_.wait();
}

QString FileSettingsStore::userRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString FileSettingsStore::valuePath(const QString& application, const QString& section, const QString& key) const
{
    return root_ + QChar(u'/') + fileNamePart(application) + QChar(u'/') + fileNamePart(section) + QChar(u'/')
        + fileNamePart(key);
}

QString FileSettingsStore::get(const QString& application, const QString& section, const QString& key,
                               const QString& defaultValue)
{
    if (!isAddress(application, section, key))
        return defaultValue;
    const QString path = valuePath(application, section, key);
    {
        std::unique_lock lock(mutex_);
        waitForWriter(lock, path);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return defaultValue;
    return QString::fromUtf8(bytes);
}

void FileSettingsStore::save(const QString& application, const QString& section, const QString& key,
                             const QString& value)
{
    if (!isAddress(application, section, key))
        throw Failure::invalidArgument();
    const QString path = valuePath(application, section, key);
    {
        // This value is newer than one still waiting for the writer.
        std::unique_lock lock(mutex_);
        later_.erase(path);
        waitForWriter(lock, path);
    }
    writeValue(path, value.toUtf8());
}

void FileSettingsStore::saveLater(const QString& application, const QString& section, const QString& key,
                                  const QString& value)
{
    if (!isAddress(application, section, key))
        throw Failure::invalidArgument();
    const QString path = valuePath(application, section, key);
    {
        std::unique_lock lock(mutex_);
        later_[path] = value;
        if (!writer_.started() && !writer_.start([this] { writeLaterValues(); })) {
            writeWaiting(lock);
            return;
        }
    }
    wake_.notify_one();
}

void FileSettingsStore::flush()
{
    std::unique_lock lock(mutex_);
    written_.wait(lock, [this] { return later_.empty() && writing_.isEmpty(); });
}

void FileSettingsStore::waitForWriter(std::unique_lock<std::mutex>& lock, const QString& path)
{
    written_.wait(lock, [&] { return !later_.contains(path) && writing_ != path; });
}

void FileSettingsStore::writeLaterValues()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !later_.empty(); });
        if (later_.empty())
            return;
        writeWaiting(lock);
    }
}

void FileSettingsStore::writeWaiting(std::unique_lock<std::mutex>& lock)
{
    while (!later_.empty()) {
        auto next = later_.extract(later_.begin());
        writing_ = next.key();
        lock.unlock();
        // The value is let go of before the write, so that the text it was taken from is changed in place again.
        const QByteArray bytes = next.mapped().toUtf8();
        next.mapped() = QString();
        try {
            writeValue(next.key(), bytes);
        } catch (const Failure&) {
            // As with a value stored quietly: what cannot be stored is left as it was.
        }
        lock.lock();
        writing_.clear();
        written_.notify_all();
    }
}

} // namespace quillora
