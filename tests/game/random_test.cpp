// The random source: the engine itself and our two conversions of its outputs.
#include "game/random.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "game/game_state.hpp"
#include "tests/game/builders.hpp"

using draws::highOf;
using draws::lowOf;
using draws::unitOf;

TEST(Random, EngineIsTheThirtyTwoBitMersenneTwister)
{
    // The published check value: the 10000th output of a default-seeded mt19937.
    decltype(GameState{}.rng) engine;
    engine.discard(9999);
    EXPECT_EQ(engine(), 4123659995u);
}

TEST(Random, UnitIsTopTwentyFourBitsOfExactlyOneOutput)
{
    std::mt19937 rng(kRandomSeed);
    std::mt19937 reference(kRandomSeed);
    for (int i = 0; i < 5000; ++i) {
        const auto u = static_cast<std::uint32_t>(reference());
        const float unit = randomUnit(rng);
        ASSERT_EQ(unit, unitOf(u)) << "draw " << i << ", output " << u;
        ASSERT_LT(unit, 1.0f);
    }
    EXPECT_TRUE(rng == reference) << "one engine output per call";
}

TEST(Random, IndexIsHighHalfOfTheProductAndTakesOneOutput)
{
    // Small ranges as the weapon column uses them, a power of two, and a large range.
    for (int n : {1, 2, 3, 4, 5, 6, 1000, 0x7fffffff}) {
        std::mt19937 rng(kRandomSeed);
        std::mt19937 reference(kRandomSeed);
        for (int i = 0; i < 300; ++i) {
            const auto u = static_cast<std::uint32_t>(reference());
            const auto range = static_cast<std::uint32_t>(n);
            // A low half below (2^32 - n) mod n is rejected; these ranges almost never do it.
            const std::uint32_t t = static_cast<std::uint32_t>((0x100000000ull - range) % range);
            ASSERT_GE(lowOf(range, u), t) << "pick a case without a rejection";
            const int index = randomIndex(rng, n);
            ASSERT_EQ(index, static_cast<int>(highOf(range, u))) << "n " << n << ", draw " << i;
            ASSERT_GE(index, 0);
            ASSERT_LT(index, n);
        }
        EXPECT_TRUE(rng == reference) << "n " << n << ": one output per call";
    }
}

TEST(Random, IndexRejectsALowProductAndDrawsAgain)
{
    // n = 3 x 2^29: the low half of n x u is (3u mod 8) x 2^29, so it falls below n for
    // u mod 8 in {0, 3, 6}; t = (2^32 - n) mod n = 2^30 rejects the first two of them.
    constexpr std::uint32_t n = 0x60000000u;
    constexpr std::uint32_t t = 0x40000000u;

    struct Case {
        std::uint32_t outputMod8;
        int outputsTaken;
    };
    // u mod 8 = 6 puts the low half exactly at t: kept. 0 and 3 put it below t: drawn again.
    for (Case c : {Case{6, 1}, Case{0, 2}, Case{3, 2}}) {
        // The first output with this remainder whose successor would be kept.
        std::mt19937 rng(kRandomSeed);
        for (;;) {
            std::mt19937 peek = rng;
            const auto first = static_cast<std::uint32_t>(peek());
            const auto second = static_cast<std::uint32_t>(peek());
            if (first % 8 == c.outputMod8 && lowOf(n, second) >= t)
                break;
            rng.discard(1);
        }
        std::mt19937 reference = rng;
        std::uint32_t u = static_cast<std::uint32_t>(reference());
        int taken = 1;
        while (lowOf(n, u) < t) {
            u = static_cast<std::uint32_t>(reference());
            ++taken;
        }
        ASSERT_EQ(taken, c.outputsTaken) << "u mod 8 = " << c.outputMod8 << ": the next output was rejected too";

        EXPECT_EQ(randomIndex(rng, static_cast<int>(n)), static_cast<int>(highOf(n, u))) << "u mod 8 = " << c.outputMod8;
        EXPECT_TRUE(rng == reference) << "u mod 8 = " << c.outputMod8 << ": expected " << c.outputsTaken << " outputs";
    }
}
