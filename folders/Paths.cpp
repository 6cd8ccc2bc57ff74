// Path procedures on plain text, and existence tests through the platform's file facts.
#include "folders/Paths.h"

#include "platform/Failure.h"
#include "platform/FileFacts.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quillora {

bool FileExists(const QString& path, FileFacts& facts)
{
    return facts.dateTimeReadable(path);
}

bool FolderExists(const QString& path, FileFacts& facts)
{
    const std::optional<quint32> value = facts.attributes(path);
    return value && (*value & attribute::directory) != 0;
}

QString GetFileName(const QString& path, QChar separator)
{
    return path.mid(path.lastIndexOf(separator) + 1);
}

QString GetFolderPath(const QString& path, QChar separator)
{
    const qsizetype last = path.lastIndexOf(separator);
    if (last < 0)
        return QString();
    if (last + 1 > 32767)
        throw Failure::overflow();
    return path.left(last + 1);
}

QString FixDoubleBackslashes(const QString& path, QChar separator)
{
    const auto collapsePairs = [separator](QStringView text) {
        QString result;
        result.reserve(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            result.append(text[i]);
            if (text[i] == separator && i + 1 < text.size() && text[i + 1] == separator)
                ++i;
        }
        return result;
    };
    if (!path.startsWith(separator))
        return collapsePairs(path);
    qsizetype rest = 1;
    while (rest < path.size() && path[rest] == separator)
        ++rest;
    const QString prefix = separator == u'\\' ? QStringLiteral("\\\\") : QString(separator);
    return prefix + collapsePairs(QStringView(path).sliced(rest));
}

QString GetSpecialFolder(int folder)
{
    if (folder != 0)
        return QString();
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

QString GetDesktopFolder()
{
    // Servers and many desktops have no desktop folder; the home folder is proposed instead.
    QString desktop = GetSpecialFolder(0);
    if (!QFileInfo(desktop).isDir())
        desktop = QDir::toNativeSeparators(QDir::homePath());
    if (desktop.isEmpty())
        throw Failure::invalidArgument();
    return desktop.endsWith(nativeSeparator()) ? desktop : desktop + nativeSeparator();
}

bool ListViewHasItem(const QStringList& items, const QString& text)
{
    bool found = false;
    for (const QString& item : items)
        found = found || item == text;
    return found;
}

} // namespace quillora
