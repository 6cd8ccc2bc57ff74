// The terminal's lines for failures that reach it in the order a batch run sends them, results put in place late,
// and the progress line drawn as each entry starts.
#include "app/TerminalView.h"

#include <QFile>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

namespace quillora {
namespace {

// What a view over paths wrote to its error stream while play drove it.
QByteArray toldBy(const QStringList& paths, bool progress, const std::function<void(TerminalView&)>& play)
{
    FILE* errors = std::tmpfile();
    if (errors == nullptr)
        return "no temporary file";
    TerminalView view(paths, {}, AnsiCodePage::Western, progress, errors, nullptr);
    play(view);
    std::rewind(errors);
    QFile told;
    QByteArray bytes = told.open(errors, QIODevice::ReadOnly) ? told.readAll() : "unreadable";
    told.close();
    std::fclose(errors);
    return bytes;
}

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
        const QByteArray told = toldBy({same, same}, false, [&](TerminalView& view) {
            for (const Event& event : c.events) {
                if (event.begins > 0)
                    view.fileStarted(event.begins, same);
                else
                    view.stepFailed({QString(), event.line, QStringLiteral("Path not found")}, event.source);
            }
        });
        EXPECT_EQ(told.count('\n'), c.lines) << c.what;
    }
}

TEST(TerminalViewTest, ProgressLineNamesTheEntryThatStarted)
{
    // The stream is no terminal, so the line is fitted to 80 columns.
    const QString longPath = QStringLiteral("/d/") + QString(100, u'x') + QStringLiteral("/end.txt");
    struct Case
    {
        const char* what;
        QStringList paths;
        qsizetype position;
        QByteArray line;
    };
    const Case cases[] = {
        {"the counter and the path", {"a.txt", "b/c.txt"}, 2, "[2/2] b/c.txt"},
        {"a control character escaped", {"a\tb.txt"}, 1, "[1/1] a\\tb.txt"},
        {"a long path keeps its end", {longPath}, 1, "[1/1] ..." + longPath.right(79 - 6 - 3).toUtf8()},
    };
    for (const Case& c : cases) {
        const QByteArray told = toldBy(c.paths, true, [&](TerminalView& view) {
            view.showCaption(QStringLiteral("Processing: other.txt"));
            view.fileStarted(c.position, c.paths.at(c.position - 1));
        });
        EXPECT_EQ(told, "\r" + c.line + "\x1b[K") << c.what;
    }
    EXPECT_EQ(toldBy({"a.txt"}, false, [](TerminalView& view) { view.fileStarted(1, QStringLiteral("a.txt")); }),
              QByteArray())
        << "without progress nothing is drawn";
}

} // namespace
} // namespace quillora
