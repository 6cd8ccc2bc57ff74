// Drag and drop as a file manager or another program does it, sent straight to a control.
#pragma once

#include <QMimeData>
#include <QStringList>
#include <memory>

class QWidget;

namespace quillora::testing {

// Data carrying the paths as file URLs.
std::unique_ptr<QMimeData> fileUrls(const QStringList& paths);
// Drags data onto target and drops it there; true when target accepted both. What the target queues for after
// the drop has run when this returns.
bool dropOn(QWidget* target, const QMimeData& data);

} // namespace quillora::testing
