// Small test doubles: a recorded shell, a counting event pump, a scripted random source.
#pragma once

#include "platform/EventPump.h"
#include "platform/RandomSource.h"
#include "platform/Shell.h"

#include <QStringList>
#include <functional>

namespace quillora::testing {

class RecordedShell : public Shell
{
public:
    void open(const QString& target) override { opened << target; }
    QStringList opened;
};

class CountingEventPump : public EventPump
{
public:
    void letEventsThrough() override
    {
        ++count;
        if (onYield)
            onYield(count);
    }
    int count = 0;
    // Runs at each yield, e.g. to click a button in the middle of a run.
    std::function<void(int)> onYield;
};

class ScriptedRandomSource : public RandomSource
{
public:
    void seedFromTimer() override { ++seeded; }
    double next() override { return value; }
    double value = 0.5;
    int seeded = 0;
};

} // namespace quillora::testing
