// Shows Qt's file dialogs and folder chooser and returns their results in the form the windows expect.
#include "platform/QtFileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace quillora {

QString QtFileDialogs::qtFilter(const QString& classicFilter)
{
    const QStringList parts = classicFilter.split(QChar(u'|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const qsizetype bracket = description.lastIndexOf(QChar(u'('));
        if (bracket > 0)
            description = description.left(bracket).trimmed();
        QStringList patterns = parts[i + 1].split(QChar(u';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern == QStringLiteral("*.*"))
                pattern = QStringLiteral("*");
        }
        filters << description + QStringLiteral(" (") + patterns.join(QChar(u' ')) + QChar(u')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString QtFileDialogs::classicSelection(const QStringList& chosen)
{
    if (chosen.isEmpty())
        return QString();
    if (chosen.size() == 1)
        return QDir::toNativeSeparators(chosen.first());
    QStringList parts{QDir::toNativeSeparators(QFileInfo(chosen.first()).absolutePath())};
    for (const QString& path : chosen)
        parts << QFileInfo(path).fileName();
    return parts.join(QChar(u'\0'));
}

QString QtFileDialogs::showOpen(const FileDialogRequest& request)
{
    QWidget* owner = QApplication::activeWindow();
    const QString filter = qtFilter(request.filter);
    if (request.multipleSelection)
        return classicSelection(QFileDialog::getOpenFileNames(owner, request.title, QString(), filter));
    return QDir::toNativeSeparators(QFileDialog::getOpenFileName(owner, request.title, QString(), filter));
}

QString QtFileDialogs::showSave(const FileDialogRequest& request)
{
    return QDir::toNativeSeparators(QFileDialog::getSaveFileName(QApplication::activeWindow(), request.title, QString(),
                                                                 qtFilter(request.filter), nullptr,
                                                                 QFileDialog::DontConfirmOverwrite));
}

QString QtFileDialogs::browseForFolder(const FolderPickerRequest& request)
{
    QString start = request.startFolder;
    if (!start.isEmpty() && !QFileInfo(start).isDir())
        start.clear();
    QString chosen = QFileDialog::getExistingDirectory(request.owner, request.title, start, QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return QString();
    chosen = QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath());
    while (chosen.size() > 1 && (chosen.endsWith(QChar(u'/')) || chosen.endsWith(QChar(u'\\')))
           && !QDir(chosen).isRoot())
        chosen.chop(1);
    return chosen;
}

} // namespace quillora
