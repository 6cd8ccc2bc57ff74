// FixDoubleBackslashes on arbitrary paths with either separator: never crashes, and its result holds what the
// rule promises, checked run by run.
#include "FuzzSupport.h"
#include "folders/Paths.h"

using namespace quillora;

namespace {
// A text as its runs: each run is either one separator repeated (length counted) or other characters (kept).
struct Run
{
    bool separators;
    QString text;
};

QList<Run> runsOf(const QString& text, QChar separator)
{
    QList<Run> runs;
    for (const QChar c : text) {
        const bool isSeparator = c == separator;
        if (runs.isEmpty() || runs.last().separators != isSeparator)
            runs.append(Run{isSeparator, QString()});
        runs.last().text += c;
    }
    return runs;
}

// What the result must hold, told by runs rather than by a pass: the other characters stay as they are and in
// order; a leading run of separators becomes the network prefix "\\" (or one "/"); every later run of n
// separators becomes (n + 1) / 2, as one left-to-right pass over pairs leaves it, so a pair never survives.
bool followsTheRule(const QString& path, const QString& fixed, QChar separator)
{
    const QList<Run> before = runsOf(path, separator);
    const QList<Run> after = runsOf(fixed, separator);
    if (before.size() != after.size())
        return false;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (before[i].separators != after[i].separators)
            return false;
        if (!before[i].separators) {
            if (before[i].text != after[i].text)
                return false;
            continue;
        }
        const qsizetype n = before[i].text.size();
        const qsizetype wanted = i > 0 ? (n + 1) / 2 : separator == u'\\' ? 2 : 1;
        if (after[i].text.size() != wanted)
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString path;
    for (size_t i = 0; i < size; ++i) {
        const char c = char(data[i]);
        path += c == 'b' ? QChar(u'\\') : c == 's' ? QChar(u'/') : QChar(char16_t(data[i]));
    }
    for (const QChar separator : {QChar(u'\\'), QChar(u'/')}) {
        const QString fixed = FixDoubleBackslashes(path, separator);
        fuzzing::require(followsTheRule(path, fixed, separator), "FixDoubleBackslashes follows its rule");
        fuzzing::require(fixed.size() <= path.size() + 1, "never grows by more than one");
    }
    return 0;
}
