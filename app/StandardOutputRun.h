// Inputs read one after another into standard output: one word list over all of them, or their converted texts.
#pragma once

#include "engine/AnsiCodePage.h"
#include "engine/LineBreak.h"
#include "engine/WordList.h"

#include <QList>
#include <QString>
#include <cstdio>
#include <optional>

namespace quillora {

// One input: the file to read, and the name the messages give it ("-" for standard input).
struct OutputInput
{
    QString path;
    QString name;
};

struct OutputRequest
{
    AnsiCodePage page = AnsiCodePage::Western;
    LineBreak lineBreak = LineBreak::CrLf;
    // Where given, one list of the words of every input; else the converted texts, one after another.
    std::optional<WordListOptions> wordList;
    // The inputs are count lists whose counts are added.
    bool countLists = false;
};

// Reads every input, telling on errors each one that is left out or could not be read whole, and writes the result
// to standard output. Returns how many inputs were left out. Throws StopSignalCaught when a stop signal comes, and
// Failure when standard output cannot be written.
int writeToStandardOutput(const OutputRequest& request, const QList<OutputInput>& inputs, FILE* errors);

} // namespace quillora
