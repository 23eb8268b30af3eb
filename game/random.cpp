// The game's one random source and the two ways it turns engine outputs into numbers.
#include "game/random.hpp"

#include <cassert>
#include <cstdint>

float randomUnit(std::mt19937& rng)
{
    const auto u = static_cast<std::uint32_t>(rng());
    return static_cast<float>(u >> 8) * 0x1p-24f;
}

int randomIndex(std::mt19937& rng, int n)
{
    assert(n >= 1);
    const auto range = static_cast<std::uint32_t>(n);
    std::uint64_t m = static_cast<std::uint64_t>(static_cast<std::uint32_t>(rng())) * range;
    if (static_cast<std::uint32_t>(m) < range) {
        // Products whose low half falls below t would favour small results: draw again.
        const std::uint32_t t = (0u - range) % range;
        while (static_cast<std::uint32_t>(m) < t)
            m = static_cast<std::uint64_t>(static_cast<std::uint32_t>(rng())) * range;
    }
    return static_cast<int>(m >> 32);
}
