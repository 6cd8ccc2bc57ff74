// The file list as its view sees it: new entries are shown in batches, at most ten times a second.
#pragma once

#include <QAbstractListModel>
#include <QElapsedTimer>
#include <QTimer>

namespace quillora {

class FileListModel;

// A tree view lays out every row again after each insertion it is told of. Adding files yields to the event
// loop once per file, so telling the view of each file on its own would cost time in the square of the list's
// length; batching keeps adding 100,000 files linear. Clearing is shown at once.
class PacedListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit PacedListModel(FileListModel& source, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Shows every entry the source holds now.
    void revealNow();

    static constexpr int intervalMs = 100;

private:
    void sourceRowsInserted();
    void beginSourceReset();
    void endSourceReset();

    FileListModel& source_;
    int shown_ = 0;
    QTimer timer_;
    QElapsedTimer sinceReveal_;
};

} // namespace quillora
