// The file facts the program uses, and the parts of the native facts that every platform shares.
#include "platform/NativeFileFacts.h"

#include <QFileInfo>

namespace quillora {

namespace {
FileFacts*& currentFacts()
{
    static NativeFileFacts native;
    static FileFacts* current = &native;
    return current;
}
} // namespace

FileFacts& fileFacts()
{
    return *currentFacts();
}

ScopedFileFacts::ScopedFileFacts(FileFacts& replacement)
    : previous_(currentFacts())
{
    currentFacts() = &replacement;
}

ScopedFileFacts::~ScopedFileFacts()
{
    currentFacts() = previous_;
}

QString NativeFileFacts::resolvedPath(const QString& path)
{
    return path.isEmpty() ? QString() : QFileInfo(path).canonicalFilePath();
}

} // namespace quillora
