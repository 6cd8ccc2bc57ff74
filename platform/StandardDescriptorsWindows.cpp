// Windows opens files as handles, which never take the place of the standard ones, so there is nothing to hold.
#include "platform/StandardDescriptors.h"

namespace quillora {

void holdStandardDescriptors() { }

} // namespace quillora
