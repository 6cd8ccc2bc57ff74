// Sends the drag enter and drop events of a drag to a control.
#include "support/Drops.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QUrl>
#include <QWidget>

namespace quillora::testing {

std::unique_ptr<QMimeData> fileUrls(const QStringList& paths)
{
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
}

bool dropOn(QWidget* target, const QMimeData& data)
{
    const QPoint middle = target->rect().center();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(middle, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(middle), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QCoreApplication::sendPostedEvents();
    return drop.isAccepted();
}

} // namespace quillora::testing
