#pragma once

#include <cstdlib>

// The layout shuffle and the fibre jitter were designed around a generator with 15-bit
// results (0..32767); the C library here returns up to 31 bits, so both draw through this
// to keep their ranges. It still uses the process-wide rand() state, so reseeding with
// srand() makes the sequence reproducible.
inline int rand15()
{
    return std::rand() % 32768;
}

constexpr float rand15Maximum = 32767.0f;
