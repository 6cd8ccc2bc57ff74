// The terminal door: a terminal's width is read through the stream that shows on it; a file is no terminal.
#include "platform/Terminal.h"

#include "support/TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace quillora {
namespace {

TEST(Terminal, TellsTheWidthOfATerminalAndEightyWhereItIsNotKnown)
{
    struct Case
    {
        const char* name;
        bool terminal;
        unsigned short columns;
        int expected;
    };
    for (const Case& c : {Case{"a terminal 123 wide", true, 123, 123}, Case{"a terminal of no width", true, 0, 80},
                          Case{"a file", false, 0, 80}}) {
        SCOPED_TRACE(c.name);
        const int controller = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(controller, 0);
        ASSERT_EQ(grantpt(controller), 0);
        ASSERT_EQ(unlockpt(controller), 0);
        FILE* stream = c.terminal ? std::fopen(ptsname(controller), "w") : std::tmpfile();
        ASSERT_NE(stream, nullptr);
        const winsize size{24, c.columns, 0, 0};
        ASSERT_EQ(ioctl(controller, TIOCSWINSZ, &size), 0);

        EXPECT_EQ(isTerminal(stream), c.terminal);
        EXPECT_EQ(terminalColumns(stream), c.expected);
        std::fclose(stream);
        close(controller);
    }
}

} // namespace
} // namespace quillora
