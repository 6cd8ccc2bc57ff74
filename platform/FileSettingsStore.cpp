// Keeps each setting in its own file, written to a temporary file beside it and renamed over the old one.
#include "platform/FileSettingsStore.h"

#include "platform/Failure.h"
#include "platform/QtMessageBoxes.h"
#include "platform/SettingsValueFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#endif
#include <cstdio>

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

// The value as UTF-8; a text is let go of at once, so that the text it was taken from is changed in place again.
QByteArray takeUtf8(std::variant<QString, QByteArray>& value)
{
    if (QString* text = std::get_if<QString>(&value)) {
        QByteArray bytes = text->toUtf8();
        *text = QString();
        return bytes;
    }
    return std::move(std::get<QByteArray>(value));
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
        throw QFileInfo(path).isDir() ? Failure::notAFile() : Failure::permissionDenied();
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

StoredValue FileSettingsStore::read(const QString& application, const QString& section, const QString& key,
                                    const QString& defaultValue)
{
    if (!isAddress(application, section, key))
        return StoredValue{};
    const QString path = valuePath(application, section, key);
    {
        std::unique_lock lock(mutex_);
        waitForWriter(lock, path);
    }
    StoredValue value = readSettingsValueFile(path);
    if (value.state == StoredValue::State::Unreadable)
        keepUnreadable(path, value, defaultValue);
    return value;
}

void FileSettingsStore::keepUnreadable(const QString& path, const StoredValue& value, const QString& defaultValue)
{
    {
        const std::lock_guard lock(mutex_);
        unreadable_.try_emplace(path, defaultValue);
        if (!told_.insert(path).second)
            return;
    }
    tellUnreadable(path, value.reason);
}

bool FileSettingsStore::leavesUnreadable(const QString& path, const QString& value)
{
    const auto found = unreadable_.find(path);
    if (found == unreadable_.end())
        return false;
    if (found->second == value)
        return true;
    unreadable_.erase(found);
    return false;
}

void FileSettingsStore::tellUnreadable(const QString& path, const QString& reason)
{
    const QString file = QDir::toNativeSeparators(path);
    if (messages_ || qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QtMessageBoxes platformBoxes;
        (messages_ ? *messages_ : platformBoxes)
            .notice(QStringLiteral("A saved setting could not be read from the file\n%1\n\n%2.\n\nQuillora uses the "
                                   "default value for now and leaves the file as it is until you change this setting.")
                        .arg(file, reason));
        return;
    }
    std::fprintf(stderr, "quillora: the saved setting %s cannot be read (%s); the default is used\n",
                 QFile::encodeName(file).constData(), reason.toLocal8Bit().constData());
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
        if (leavesUnreadable(path, value))
            return;
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
    // While the writer is busy the value waits as bytes: a text that shared its memory with a waiting value would
    // be copied whole by its next edit, on every keystroke. An idle writer takes the text at once and lets go of
    // it once converted, well before the next keystroke.
    std::optional<QByteArray> bytes;
    if (writerBusy())
        bytes = value.toUtf8();
    {
        std::unique_lock lock(mutex_);
        if (leavesUnreadable(path, value))
            return;
        if (bytes)
            later_[path] = std::move(*bytes);
        else
            later_[path] = value;
        if (!writer_.started() && !writer_.start([this] { writeLaterValues(); })) {
            writeWaiting(lock);
            return;
        }
    }
    wake_.notify_one();
}

bool FileSettingsStore::writerBusy()
{
    const std::lock_guard lock(mutex_);
    return !later_.empty() || !writing_.isEmpty();
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
        const QByteArray bytes = takeUtf8(next.mapped());
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
