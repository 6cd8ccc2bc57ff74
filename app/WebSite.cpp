// One start in a hundred hands the web site to the shell; the outcome is not examined.
#include "app/WebSite.h"

#include <cmath>

namespace quillora {

QString webSiteAddress()
{
    return QStringLiteral("https://www.corvanta.example/quillora");
}

int OpenWebSiteAtRandom(RandomSource& random, Shell& shell)
{
    random.seedFromTimer();
    const int drawn = int(std::floor(random.next() * 100.0)) + 1;
    if (drawn == 7)
        shell.open(webSiteAddress());
    return drawn;
}

} // namespace quillora
