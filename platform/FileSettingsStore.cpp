// Keeps each setting in its own file, written to a temporary file and renamed over the old one.
#include "platform/FileSettingsStore.h"

#include "platform/Failure.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace quillora {

namespace {
// Keeps names safe as file names whatever characters they hold.
QString fileNamePart(const QString& name)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(name, QByteArray(), QByteArrayLiteral(".")));
}
} // namespace

FileSettingsStore::FileSettingsStore(QString root)
    : root_(std::move(root))
{ }

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
    QFile file(valuePath(application, section, key));
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
    const QString path = valuePath(application, section, key);
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw Failure::permissionDenied();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Failure::permissionDenied();
    const QByteArray bytes = value.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw Failure::deviceIo();
}

} // namespace quillora
