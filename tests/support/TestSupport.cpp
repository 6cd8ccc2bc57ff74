// Implementation of the shared test helpers.
#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

QT_BEGIN_NAMESPACE
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

void PrintTo(const QByteArray& bytes, std::ostream* out)
{
    *out << '"' << bytes.toPercentEncoding(" .,;:!?-_/\\'\"()[]").toStdString() << '"';
}
QT_END_NAMESPACE

namespace quillora::testing {

bool runningAsRoot()
{
#ifdef Q_OS_WIN
    return false;
#else
    // Root with its override capabilities reads a file that denies everyone; without them it cannot.
    static const bool ignoresPermissions = [] {
        if (::geteuid() != 0)
            return false;
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("probe"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return true;
        file.close();
        QFile::setPermissions(path, QFileDevice::Permissions());
        QFile probe(path);
        const bool readable = probe.open(QIODevice::ReadOnly);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return readable;
    }();
    return ignoresPermissions;
#endif
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

QMap<QString, QByteArray> filesBelow(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), readFile(path));
    }
    return files;
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

namespace {
void setEnvironment(const char* name, const QByteArray& value)
{
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value);
}
} // namespace

EnvironmentOverride::EnvironmentOverride(std::initializer_list<std::pair<const char*, QByteArray>> values)
{
    for (const auto& [name, value] : values) {
        old_.emplace_back(name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
        setEnvironment(name, value);
    }
}

EnvironmentOverride::~EnvironmentOverride()
{
    for (const auto& [name, value] : old_)
        setEnvironment(name, value);
}

} // namespace quillora::testing
