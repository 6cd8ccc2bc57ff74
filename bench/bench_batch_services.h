// Quiet stand-ins for the dialogs and boxes, so a benchmark runs the batch window without anyone at the screen.
#pragma once

#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/QtEventPump.h"
#include "platform/RandomSource.h"
#include "platform/Shell.h"
#include "platform/testing/ScriptedMessageBoxes.h"

#include <QElapsedTimer>

namespace quillora::bench {

using SilentBoxes = testing::ScriptedMessageBoxes;

class OneSelection : public FileDialogs
{
public:
    QString showOpen(const FileDialogRequest&) override { return selection; }
    QString showSave(const FileDialogRequest&) override { return QString(); }
    QString browseForFolder(const FolderPickerRequest&) override { return QString(); }
    QString selection;
};

class NoShell : public Shell
{
public:
    void open(const QString&) override { }
};

class FixedRandom : public RandomSource
{
public:
    void seedFromTimer() override { }
    double next() override { return 0.5; }
};

// The real event pump, timing the longest stretch without a yield: how long the window could not repaint.
class TimedEventPump : public QtEventPump
{
public:
    void letEventsThrough() override
    {
        if (sinceLast.isValid())
            longestGapNs = qMax(longestGapNs, sinceLast.nsecsElapsed());
        QtEventPump::letEventsThrough();
        ++yields;
        sinceLast.start();
    }
    QElapsedTimer sinceLast;
    qint64 longestGapNs = 0;
    int yields = 0;
};

} // namespace quillora::bench
