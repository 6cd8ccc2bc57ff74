// Follows the file list: appends are gathered and shown together, a clear is shown at once.
#include "windows/batch/PacedListModel.h"

#include "windows/batch/FileListModel.h"

namespace quillora {

PacedListModel::PacedListModel(FileListModel& source, QObject* parent)
    : QAbstractListModel(parent)
    , source_(source)
    , shown_(source.rowCount())
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { revealNow(); });
    connect(&source_, &QAbstractItemModel::rowsInserted, this, [this] { sourceRowsInserted(); });
    connect(&source_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginSourceReset(); });
    connect(&source_, &QAbstractItemModel::modelReset, this, [this] { endSourceReset(); });
    connect(&source_, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { beginSourceReset(); });
    connect(&source_, &QAbstractItemModel::rowsRemoved, this, [this] { endSourceReset(); });
    sinceReveal_.start();
}

int PacedListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : shown_;
}

QVariant PacedListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= shown_)
        return QVariant();
    return source_.data(source_.index(index.row()), role);
}

QVariant PacedListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return source_.headerData(section, orientation, role);
}

void PacedListModel::sourceRowsInserted()
{
    if (timer_.isActive())
        return;
    // The first entries after a quiet spell show at the next turn of the event loop.
    timer_.start(int(qMax<qint64>(0, intervalMs - sinceReveal_.elapsed())));
}

void PacedListModel::revealNow()
{
    timer_.stop();
    const int count = source_.rowCount();
    if (count > shown_) {
        beginInsertRows(QModelIndex(), shown_, count - 1);
        shown_ = count;
        endInsertRows();
    }
    sinceReveal_.restart();
}

void PacedListModel::beginSourceReset()
{
    timer_.stop();
    beginResetModel();
}

void PacedListModel::endSourceReset()
{
    shown_ = source_.rowCount();
    endResetModel();
}

} // namespace quillora
