// The walk's choices, a bare --backup and an empty walk, for the command line.
#include "app/CommandLineFiles.h"

#include "platform/FileIdentity.h"

#include <algorithm>

namespace quillora {

QStringList withBareValues(QStringList arguments, const QList<QCommandLineOption>& options,
                           const QList<std::pair<QString, QString>>& bareValues)
{
    QStringList valued;
    for (const QCommandLineOption& option : options) {
        if (!option.valueName().isEmpty())
            valued.append(QStringLiteral("--") + option.names().constFirst());
    }
    for (qsizetype index = 1; index < arguments.size(); ++index) {
        const QString& argument = arguments.at(index);
        if (argument == QStringLiteral("--"))
            break;
        const auto bare = std::find_if(bareValues.begin(), bareValues.end(),
                                       [&](const auto& option) { return option.first == argument; });
        if (bare != bareValues.end())
            arguments[index] = argument + u'=' + bare->second;
        else if (valued.contains(argument))
            ++index;
    }
    return arguments;
}

TreeChoices commandLineWalk(bool hidden, const BatchDestination& destination)
{
    TreeChoices choices;
    choices.hidden = hidden ? TreeChoices::Hidden::Taken : TreeChoices::Hidden::LeftOut;
    if (destination.besideSource)
        return choices;
    // The same folder however it is spelled or reached.
    const FileIdentity folder = fileIdentity(destination.folder);
    choices.leaveOutFolder = [folder](const QString& found) {
        const FileIdentity identity = fileIdentity(found);
        return identity.exists && identity.device == folder.device && identity.inode == folder.inode;
    };
    return choices;
}

QString nothingFoundLine(const QString& path, const QString& extension)
{
    if (extension == QStringLiteral("*"))
        return QStringLiteral("quillora: ") + path + QStringLiteral(": no file found");
    return QStringLiteral("quillora: ") + path + QStringLiteral(": no file ending in .") + extension;
}

} // namespace quillora
