// A source of uniform random numbers in [0, 1).
#pragma once

namespace quillora {

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // Seeds the generator from the time of day.
    virtual void seedFromTimer() = 0;
    virtual double next() = 0;
};

} // namespace quillora
