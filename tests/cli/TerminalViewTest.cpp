// The terminal's lines for failures that reach it in the order a batch run sends them, results put in place late.
#include "app/TerminalView.h"

#include <QFile>
#include <cstdio>
#include <gtest/gtest.h>

namespace quillora {
namespace {

TEST(TerminalViewTest, EachFailingEntryGetsItsOwnLine)
{
    // An entry begins; a failure of a step (its line) comes for a source.
    struct Event
    {
        qsizetype begins;
        int line;
        QString source;
    };
    struct Case
    {
        const char* what;
        QList<Event> events;
        int lines;
    };
    const QString same = QStringLiteral("same.txt");
    const Case cases[] = {
        {"the second entry fails, then the first one's result cannot be put in place",
         {{1, 0, {}}, {2, 0, {}}, {0, 160, same}, {0, 174, same}},
         2},
        {"neither result of the same source can be put in place",
         {{1, 0, {}}, {2, 0, {}}, {0, 174, same}, {0, 174, same}},
         2},
        {"two steps of one entry fail", {{1, 0, {}}, {0, 120, same}, {0, 122, same}}, 1},
        {"the same source fails in two entries", {{1, 0, {}}, {0, 160, same}, {2, 0, {}}, {0, 160, same}}, 2},
    };
    for (const Case& c : cases) {
        FILE* errors = std::tmpfile();
        ASSERT_NE(errors, nullptr);
        TerminalView view({same, same}, {}, AnsiCodePage::Western, false, errors, nullptr);
        for (const Event& event : c.events) {
            if (event.begins > 0)
                view.entryAt(event.begins);
            else
                view.stepFailed({QString(), event.line, QStringLiteral("Path not found")}, event.source);
        }
        std::rewind(errors);
        QFile told;
        ASSERT_TRUE(told.open(errors, QIODevice::ReadOnly));
        EXPECT_EQ(told.readAll().count('\n'), c.lines) << c.what;
        told.close();
        std::fclose(errors);
    }
}

} // namespace
} // namespace quillora
