// The maker's web site, opened on about one start in a hundred.
#pragma once

#include "platform/RandomSource.h"
#include "platform/Shell.h"

#include <QString>

namespace quillora {

QString webSiteAddress();
// Draws 1 to 100 from a freshly seeded source and opens the web site when it draws 7. Returns the number drawn.
int OpenWebSiteAtRandom(RandomSource& random, Shell& shell);

} // namespace quillora
