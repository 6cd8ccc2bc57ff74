// A temporary tree with an input folder and a destination folder, and the three ways a file goes in: the
// single-text load, the batch run and the folder walk.
#pragma once

#include "platform/ErrorReport.h"
#include "platform/testing/TestServices.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace quillora::testing {

// What one file looks like from outside: enough to tell any change of its bytes or its kind.
struct FileState
{
    qint64 size = 0;
    qint64 modified = 0;
    QByteArray bytes; // small files only; a large one is told by size and time
    QString linkTarget;
    bool operator==(const FileState&) const = default;
};

using TreeSnapshot = QMap<QString, FileState>;

class SweepTest : public ::testing::Test
{
protected:
    SweepTest();

    QString root() const { return tree.path(); }
    QString in() const { return native(tree.path() + QStringLiteral("/in")); }
    QString out() const { return native(tree.path() + QStringLiteral("/out")); }
    QString inPath(const QString& relative) const { return native(tree.path() + QStringLiteral("/in/") + relative); }
    QString outPath(const QString& name) const { return native(tree.path() + QStringLiteral("/out/") + name); }

    // Every file, folder and link below the root except the destination folder's content.
    TreeSnapshot snapshotOutsideDestination() const;

    struct Loaded
    {
        QString input;
        QStringList messages;
    };
    // "Load Text From Text File" with path chosen in the dialog; the input box starts as "before".
    Loaded loadInSingleWindow(const QString& path);
    // "Start Converting" with only path in the list and the results going to destination.
    QStringList runBatch(const QString& path, const QString& destination);
    // Every file the folder walk and the "*" listing find below in(); boxes shown meanwhile go to walkMessages.
    QStringList walkAndList(QStringList* walkMessages);

    // A path that cannot be read: loading it shows one error box and keeps the input, a batch run reports it
    // once and writes nothing, and nothing outside the destination changes.
    void expectRefusedWith(const QString& path, const QString& description);

    static QString runError(const QString& description, int line);
    static QString loadError(const QString& description, int line);
    static QString notText(const QString& path);

    QTemporaryDir tree;
};

} // namespace quillora::testing
