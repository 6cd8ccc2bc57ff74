// A list model over a QStringList; appends announce only the new rows.
#include "windows/batch/FileListModel.h"

#include "platform/Failure.h"

namespace quillora {

FileListModel::FileListModel(QObject* parent)
    : QAbstractListModel(parent)
{ }

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= entries_.size())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return entries_.at(index.row());
    return QVariant();
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QStringLiteral("Text File(s)");
    return QVariant();
}

void FileListModel::append(const QString& path)
{
    beginInsertRows(QModelIndex(), int(entries_.size()), int(entries_.size()));
    entries_.append(path);
    endInsertRows();
}

void FileListModel::append(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    beginInsertRows(QModelIndex(), int(entries_.size()), int(entries_.size() + paths.size() - 1));
    entries_.append(paths);
    endInsertRows();
}

void FileListModel::clear()
{
    beginResetModel();
    entries_.clear();
    endResetModel();
}

QString FileListModel::entryAt(qsizetype position) const
{
    if (position < 1 || position > entries_.size())
        throw Failure(QStringLiteral("Index out of bounds"), 35600);
    return entries_.at(position - 1);
}

} // namespace quillora
