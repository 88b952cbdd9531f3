#pragma once

#include <cstdlib>

// The one door to the C library's process-wide generator. Its draws are shared: a
// character's first colour seeds it from the name, the palette-less colours and the thread
// layout draw on without reseeding, and the fibre drawing reseeds it with 1 on every frame.
// Colours, layouts and images are reproducible only while every draw goes through here in
// the same order.
namespace Random15 {

// The same seed gives the same sequence of draws.
inline void seed(unsigned value)
{
    std::srand(value);
}

// A draw over the library's whole range, 0..RAND_MAX: what colour hues and values were
// chosen from, so their results depend on the full value.
inline int drawFull()
{
    return std::rand();
}

// The layout shuffle and the fibre jitter were designed around a generator with 15-bit
// results (0..32767); the C library here returns up to 31 bits, so they keep their range by
// taking the low 15 bits.
inline int draw15()
{
    return std::rand() % 32768;
}

constexpr float maximum15 = 32767.0f;

} // namespace Random15
