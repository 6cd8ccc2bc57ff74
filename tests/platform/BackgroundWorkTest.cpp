// Background work on a thread of its own, or on the caller's when no thread can be started: done either way, and
// what it throws comes back to the caller.
#include "platform/BackgroundWork.h"

#include "support/TestSupport.h"

#include <optional>
#include <stdexcept>
#include <thread>

namespace quillora {
namespace {

TEST(BackgroundWork, IsDoneOnAThreadOrHereAndHandsBackWhatItThrew)
{
    struct Case
    {
        const char* name;
        bool threadsRefused;
        bool throws;
    };
    const Case cases[] = {
        {"thread", false, false},
        {"thread, throws", false, true},
        {"no thread", true, false},
        {"no thread, throws", true, true},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        std::optional<BackgroundWork::RefusedThreads> refused;
        if (one.threadsRefused)
            refused.emplace();
        std::thread::id doneOn;
        const auto work = [&] {
            doneOn = std::this_thread::get_id();
            if (one.throws)
                throw std::runtime_error("failed");
        };

        BackgroundWork started;
        EXPECT_EQ(started.start(work), !one.threadsRefused);
        EXPECT_EQ(started.started(), !one.threadsRefused);
        if (one.threadsRefused) {
            EXPECT_NO_THROW(started.join());
            EXPECT_EQ(doneOn, std::thread::id()) << "start() does nothing without a thread";
        }

        BackgroundWork ran;
        ran.run(work);
        if (one.throws)
            EXPECT_THROW(ran.join(), std::runtime_error);
        else
            EXPECT_NO_THROW(ran.join());
        EXPECT_NE(doneOn, std::thread::id());
        EXPECT_EQ(doneOn == std::this_thread::get_id(), one.threadsRefused);
        EXPECT_NO_THROW(ran.join()) << "what it threw is handed back once";
    }
}

} // namespace
} // namespace quillora
