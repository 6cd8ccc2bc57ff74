// Takes file drops off a control and hands their paths on after the drop event.
#include "ui/FileDrops.h"

#include <QDir>
#include <QDropEvent>
#include <QMetaObject>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace quillora {

QStringList droppedLocalPaths(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile() || url.toLocalFile().isEmpty())
            return {};
        // cleanPath drops the final separator a file manager may give a folder, except on a root.
        paths.append(QDir::toNativeSeparators(QDir::cleanPath(url.toLocalFile())));
    }
    return paths;
}

FileDrops::FileDrops(QWidget* control, std::function<bool(const QStringList&)> accepts)
    : QObject(control)
    , accepts_(std::move(accepts))
{
    control->setAcceptDrops(true);
    control->installEventFilter(this);
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList paths = droppedLocalPaths(drop->mimeData());
    if (paths.isEmpty())
        return false;
    if (!accepts_(paths)) {
        drop->ignore();
        return true;
    }
    // The files are read, not moved: a file manager must not delete what it dragged here.
    if (drop->possibleActions() & Qt::CopyAction)
        drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        QMetaObject::invokeMethod(
            this, [this, paths] { emit dropped(paths); }, Qt::QueuedConnection);
    return true;
}

} // namespace quillora
