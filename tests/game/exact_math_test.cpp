// The powers, sines and cosines the rules work out themselves, checked at every input the
// rules can pass. The expected values are the bits glibc's powf, sinf and cosf gave when the
// rules still called them, recorded here so that a build on another C library is held to
// the same bits; on glibc the recording itself is checked too.
#include "game/exact_math.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <vector>

#include "game/monsters.hpp"
#include "game/ship.hpp"
#include "tests/game/builders.hpp"

namespace {

// glibc's powf(1.02f, n) for n = wave - 1 at every wave where some kind of monster is still
// below its top speed; from wave 130 on every kind moves at its cap.
constexpr float kRecordedGrowth[] = {
    0x1p+0f,       0x1.051eb8p+0f, 0x1.0a57a6p+0f, 0x1.0fab52p+0f, 0x1.151a44p+0f, 0x1.1aa508p+0f,
    0x1.204c2cp+0f, 0x1.261042p+0f, 0x1.2bf1dcp+0f, 0x1.31f192p+0f, 0x1.381p+0f,    0x1.3e4dc4p+0f,
    0x1.44ab7ap+0f, 0x1.4b29c8p+0f, 0x1.51c956p+0f, 0x1.588acep+0f, 0x1.5f6edcp+0f, 0x1.667632p+0f,
    0x1.6da184p+0f, 0x1.74f18cp+0f, 0x1.7c6704p+0f, 0x1.8402acp+0f, 0x1.8bc548p+0f, 0x1.93afap+0f,
    0x1.9bc28p+0f,  0x1.a3feb4p+0f, 0x1.ac6514p+0f, 0x1.b4f674p+0f, 0x1.bdb3b4p+0f, 0x1.c69db2p+0f,
    0x1.cfb554p+0f, 0x1.d8fb82p+0f, 0x1.e2712ep+0f, 0x1.ec1748p+0f, 0x1.f5eec8p+0f, 0x1.fff8aep+0f,
    0x1.051afcp+1f, 0x1.0a53d8p+1f, 0x1.0fa77p+1f,  0x1.15164ep+1f, 0x1.1aa0fep+1f, 0x1.20480cp+1f,
    0x1.260c0cp+1f, 0x1.2bed92p+1f, 0x1.31ed32p+1f, 0x1.380b8ap+1f, 0x1.3e4936p+1f, 0x1.44a6d4p+1f,
    0x1.4b250cp+1f, 0x1.51c482p+1f, 0x1.5885ep+1f,  0x1.5f69d4p+1f, 0x1.66711p+1f,  0x1.6d9c48p+1f,
    0x1.74ec36p+1f, 0x1.7c6192p+1f, 0x1.83fd1ep+1f, 0x1.8bbf9ep+1f, 0x1.93a9dap+1f, 0x1.9bbc9cp+1f,
    0x1.a3f8b2p+1f, 0x1.ac5ef2p+1f, 0x1.b4f034p+1f, 0x1.bdad54p+1f, 0x1.c6973p+1f,  0x1.cfaeb2p+1f,
    0x1.d8f4bep+1f, 0x1.e26a46p+1f, 0x1.ec103ep+1f, 0x1.f5e79ap+1f, 0x1.fff15ap+1f, 0x1.05174p+2f,
    0x1.0a5008p+2f, 0x1.0fa38ep+2f, 0x1.151258p+2f, 0x1.1a9cf2p+2f, 0x1.2043ecp+2f, 0x1.2607d8p+2f,
    0x1.2be946p+2f, 0x1.31e8d2p+2f, 0x1.380714p+2f, 0x1.3e44a8p+2f, 0x1.44a23p+2f,  0x1.4b205p+2f,
    0x1.51bfacp+2f, 0x1.5880f2p+2f, 0x1.5f64cep+2f, 0x1.666bfp+2f,  0x1.6d970ep+2f, 0x1.74e6ep+2f,
    0x1.7c5c22p+2f, 0x1.83f792p+2f, 0x1.8bb9f6p+2f, 0x1.93a414p+2f, 0x1.9bb6b8p+2f, 0x1.a3f2bp+2f,
    0x1.ac58d2p+2f, 0x1.b4e9f4p+2f, 0x1.bda6f4p+2f, 0x1.c690bp+2f,  0x1.cfa81p+2f,  0x1.d8edfap+2f,
    0x1.e2636p+2f,  0x1.ec0934p+2f, 0x1.f5e06cp+2f, 0x1.ffea08p+2f, 0x1.051384p+3f, 0x1.0a4c38p+3f,
    0x1.0f9faap+3f, 0x1.150e6p+3f,  0x1.1a98e8p+3f, 0x1.203fccp+3f, 0x1.2603a2p+3f, 0x1.2be4fcp+3f,
    0x1.31e472p+3f, 0x1.38029cp+3f, 0x1.3e401ap+3f, 0x1.449d8cp+3f, 0x1.4b1b92p+3f, 0x1.51bad8p+3f,
    0x1.587c04p+3f, 0x1.5f5fc6p+3f, 0x1.6666dp+3f,  0x1.6d91d4p+3f, 0x1.74e18ap+3f, 0x1.7c56bp+3f,
    0x1.83f206p+3f, 0x1.8bb44cp+3f, 0x1.939e4ep+3f,
};
constexpr auto kRecordedWaves = static_cast<std::int32_t>(std::size(kRecordedGrowth));

struct KindSpeed {
    MonsterKind kind;
    std::int32_t mediumBefore, bigBefore;  // per-wave counters that leave only this kind
    float base, cap;
};
constexpr KindSpeed kKindSpeeds[] = {
    {MonsterKind::Small, 5, 1, 3.5f, 40.0f},
    {MonsterKind::Medium, 0, 1, 3.0f, 36.0f},
    {MonsterKind::Big, 0, 0, 2.5f, 32.0f},
};

// The speed of a monster of this kind spawned at this wave; the engine's next draw is a
// Big one, so the counters alone choose the kind.
float spawnedSpeed(const KindSpeed& kind, std::int32_t wave, std::mt19937 engine)
{
    std::int32_t medium = kind.mediumBefore;
    std::int32_t big = kind.bigBefore;
    const Monster monster = spawnMonster(engine, wave, medium, big, 150.0f, 750.0f);
    EXPECT_EQ(monster.kind, kind.kind);
    return monster.speed;
}

// Past 2^16 waves the largest square in the power is already infinite and every other
// factor is at least 1, so the speed cannot drop below its cap there.
constexpr std::int32_t kWavesCheckedOneByOne = (1 << 16) + 1;
// The spawn count is a 32-bit integer, ten monsters a wave.
constexpr std::int32_t kLastWave = std::numeric_limits<std::int32_t>::max() / 10 + 1;

struct FanShot {
    std::int32_t guns;
    float radians;  // as the rules work it out in float from 11 or 15 degrees
    float sine, cosine;  // glibc's sinf and cosf of it
};
constexpr FanShot kRecordedFan[] = {
    {2, -0x1.893014p-3f, -0x1.86c6ep-3f, 0x1.f697d6p-1f},
    {2, 0x1.893014p-3f, 0x1.86c6ep-3f, 0x1.f697d6p-1f},
    {3, -0x1.0c1524p-2f, -0x1.0907dcp-2f, 0x1.ee8dd4p-1f},
    {3, 0.0f, 0.0f, 1.0f},
    {3, 0x1.0c1524p-2f, 0x1.0907dcp-2f, 0x1.ee8dd4p-1f},
};

std::uint32_t bitsOf(float value) { return std::bit_cast<std::uint32_t>(value); }

}  // namespace

TEST(ExactMath, SpeedGrowthIsTheRecordedPowerAtEveryUncappedWave)
{
    for (std::int32_t n = 0; n < kRecordedWaves; ++n)
        ASSERT_EQ(bitsOf(wholePower(1.02f, n)), bitsOf(kRecordedGrowth[n])) << "1.02^" << n;
}

TEST(ExactMath, MonstersSpawnAtTheRecordedSpeedAtEveryWave)
{
    const std::mt19937 bigDraw = draws::engineWithNextUnits([](float u1, float) { return u1 < 0.08f; });
    for (const KindSpeed& kind : kKindSpeeds) {
        SCOPED_TRACE(::testing::Message() << "kind " << static_cast<int>(kind.kind));
        for (std::int32_t wave = 1; wave <= kWavesCheckedOneByOne; ++wave) {
            const std::int32_t n = wave - 1;
            const float expected = n < kRecordedWaves ? std::min(kind.cap, kind.base * kRecordedGrowth[n]) : kind.cap;
            ASSERT_EQ(bitsOf(spawnedSpeed(kind, wave, bigDraw)), bitsOf(expected)) << "wave " << wave;
        }
        EXPECT_EQ(spawnedSpeed(kind, kLastWave, bigDraw), kind.cap);
    }
}

TEST(ExactMath, FanShotsFlyAlongTheRecordedDirections)
{
    for (const std::int32_t guns : {2, 3}) {
        std::vector<Shot> shots;
        fireVolley(PlayerShip{400.0f, 600.0f, 60.0f, 40.0f}, guns, 1, true, shots);
        std::vector<FanShot> expected;
        std::copy_if(std::begin(kRecordedFan), std::end(kRecordedFan), std::back_inserter(expected),
                     [guns](const FanShot& shot) { return shot.guns == guns; });
        ASSERT_EQ(shots.size(), expected.size());
        for (std::size_t i = 0; i < shots.size(); ++i) {
            SCOPED_TRACE(::testing::Message() << guns << " guns, shot " << i);
            EXPECT_EQ(bitsOf(smallAngleSine(expected[i].radians)), bitsOf(expected[i].sine));
            EXPECT_EQ(bitsOf(smallAngleCosine(expected[i].radians)), bitsOf(expected[i].cosine));
            EXPECT_EQ(bitsOf(shots[i].vx), bitsOf(expected[i].sine * 640.0f));
            EXPECT_EQ(bitsOf(shots[i].vy), bitsOf(-expected[i].cosine * 640.0f));
        }
    }
}

#ifdef __GLIBC__
// The recording is what the rules computed with glibc, and past it glibc's speeds were
// capped as well (its powf overflows to infinity from 1.02^4481 on).
TEST(ExactMath, RecordingIsWhatGlibcGave)
{
    for (std::int32_t n = 0; n < kWavesCheckedOneByOne; ++n) {
        const float growth = std::pow(1.02f, static_cast<float>(n));
        if (n < kRecordedWaves) {
            ASSERT_EQ(bitsOf(growth), bitsOf(kRecordedGrowth[n])) << "1.02^" << n;
            continue;
        }
        for (const KindSpeed& kind : kKindSpeeds)
            ASSERT_EQ(std::min(kind.cap, kind.base * growth), kind.cap) << "1.02^" << n;
    }
    for (const FanShot& shot : kRecordedFan) {
        EXPECT_EQ(bitsOf(std::sin(shot.radians)), bitsOf(shot.sine)) << shot.radians;
        EXPECT_EQ(bitsOf(std::cos(shot.radians)), bitsOf(shot.cosine)) << shot.radians;
    }
}
#endif
