// Uniform random numbers from the standard library's Mersenne Twister.
#pragma once

#include "platform/RandomSource.h"

#include <random>

namespace quillora {

class StdRandomSource : public RandomSource
{
public:
    void seedFromTimer() override;
    double next() override;

private:
    std::mt19937 engine_;
};

} // namespace quillora
