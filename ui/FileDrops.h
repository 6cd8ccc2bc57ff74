// Files dropped on a control from a file manager: their local paths are signalled to the control's handler.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QMimeData;
class QWidget;

namespace quillora {

// The local paths of the dropped URLs in native form; empty unless every URL names a local file or folder.
QStringList droppedLocalPaths(const QMimeData* data);

// Watches a control's drag and drop events. A drag of local paths that `accepts` takes is accepted, and its drop
// is signalled by `dropped` once the drop event has returned, so the file manager is not kept waiting while the
// handler asks questions. A drag of local paths it refuses is refused; any other drag (text, web links) goes on
// to the control as before.
class FileDrops : public QObject
{
    Q_OBJECT

public:
    // accepts stays a plain predicate: a drag is taken or refused while its event is handled, and a signal has no
    // answer to give.
    FileDrops(QWidget* control, std::function<bool(const QStringList&)> accepts);

signals:
    void dropped(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(const QStringList&)> accepts_;
};

} // namespace quillora
