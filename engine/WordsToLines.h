// The word-per-line rule: cut at every U+0020, drop empty pieces, join with CR LF.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace quillora {

// Only U+0020 separates; tab, CR, LF and every other character stay inside their piece. No line break follows
// the last line.
QString WordsToLines(QStringView text);

// The UTF-8 bytes of WordsToLines(text), made in one pass without holding the whole converted text in UTF-16.
QByteArray WordsToLinesUtf8(QStringView text);

// The same rule on text that is already valid UTF-8; gives the same bytes as converting its decoded text.
QByteArray WordsToLinesUtf8(QByteArrayView validUtf8);

} // namespace quillora
