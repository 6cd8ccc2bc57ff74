// The name tests of the folder services.
#include "folders/NameChecks.h"

namespace quillora {

bool HasBadCharacters(const QString& name)
{
    for (const QChar character : name) {
        const char16_t code = character.unicode();
        if (code < 32 || (code >= 127 && code <= 159) || code == u'?')
            return true;
    }
    return false;
}

bool IsBadFileName(const QString& path, FileFacts& facts)
{
    return !facts.attributes(path).has_value();
}

} // namespace quillora
