// The word-per-line rule: cut at every U+0020, drop empty pieces, join with CR
// LF.
#pragma once

#include "engine/LineBreak.h"
#include "engine/LinesOutput.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace quillora {

// Only U+0020 separates; tab, CR, LF and every other character stay inside
// their piece. No line break follows the last line. Texts of many megabytes
// held whole convert at memory speed where the processor allows.
QString WordsToLines(QStringView text);

// The UTF-8 bytes of WordsToLines(text), handed to sink in pieces of about a
// megabyte, so the converted text is never held whole; with LineBreak::Lf the
// lines are joined by LF instead of CR LF.
void WordsToLinesUtf8(QStringView text, const Utf8Sink& sink, LineBreak lineBreak = LineBreak::CrLf);
// The same rule on text that is valid UTF-8: the same bytes as converting its
// decoded text.
void WordsToLinesUtf8(QByteArrayView validUtf8, const Utf8Sink& sink, LineBreak lineBreak = LineBreak::CrLf);
// The same rule on Windows-1252 bytes, giving the UTF-8 bytes of the converted
// decoded text.
void WordsToLinesUtf8FromWindows1252(QByteArrayView ansi, const Utf8Sink& sink, LineBreak lineBreak = LineBreak::CrLf);

// The same, collected into one array.
QByteArray WordsToLinesUtf8(QStringView text);
QByteArray WordsToLinesUtf8(QByteArrayView validUtf8);
QByteArray WordsToLinesUtf8FromWindows1252(QByteArrayView ansi);

} // namespace quillora
