// Seeds from the seconds since midnight and draws uniform numbers in [0, 1).
#include "platform/StdRandomSource.h"

#include <QTime>

namespace quillora {

void StdRandomSource::seedFromTimer()
{
    engine_.seed(static_cast<std::mt19937::result_type>(QTime::currentTime().msecsSinceStartOfDay()));
}

double StdRandomSource::next()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
}

} // namespace quillora
