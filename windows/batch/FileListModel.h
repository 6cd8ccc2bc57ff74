// The batch file list: one column "Text File(s)", each entry a full path, kept in the order added.
#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace quillora {

class FileListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit FileListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void append(const QString& path);
    void append(const QStringList& paths);
    void clear();
    const QStringList& entries() const { return entries_; }
    qsizetype count() const { return entries_.size(); }
    // The text of entry position (counted from 1); throws when there is no such entry.
    QString entryAt(qsizetype position) const;

private:
    QStringList entries_;
};

} // namespace quillora
