// FixDoubleBackslashes on arbitrary paths with either separator: never crashes, and follows its rule.
#include "FuzzSupport.h"
#include "folders/Paths.h"

using namespace quillora;

namespace {
// The rule written out the slow way: a leading run becomes the prefix, then pairs collapse left to right.
QString reference(const QString& path, QChar separator)
{
    QString rest = path;
    QString prefix;
    if (path.startsWith(separator)) {
        qsizetype k = 1;
        while (k < path.size() && path[k] == separator)
            ++k;
        rest = path.mid(k);
        prefix = separator == u'\\' ? QStringLiteral("\\\\") : QString(separator);
    }
    QString collapsed;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        collapsed += rest[i];
        if (rest[i] == separator && i + 1 < rest.size() && rest[i + 1] == separator)
            ++i;
    }
    return prefix + collapsed;
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
        fuzzing::require(fixed == reference(path, separator), "FixDoubleBackslashes follows its rule");
        fuzzing::require(fixed.size() <= path.size() + 1, "never grows by more than one");
    }
    return 0;
}
