// The ship's movement, the guns' cooldown, volleys and the shots' flight.
#include "game/ship.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "game/game_state.hpp"
#include "tests/game/builders.hpp"

namespace {

PlayerShip shipAt(float x)
{
    return PlayerShip{x, 622.0f, 38.0f, 52.0f};
}

std::vector<Shot> volley(float shipX, std::int32_t guns, std::int32_t power, bool supergun)
{
    std::vector<Shot> shots;
    fireVolley(shipAt(shipX), guns, power, supergun, shots);
    return shots;
}

}  // namespace

TEST(Ship, MovesAt430PerSecondBetweenItsStops)
{
    struct Case {
        float x, dt;
        bool left, right;
        float expected;
    };
    const Case cases[] = {
        {431.0f, 0.05f, true, false, 431.0f - 430.0f * 0.05f},
        {431.0f, 0.05f, false, true, 431.0f + 430.0f * 0.05f},
        {431.0f, 0.05f, false, false, 431.0f},
        {431.3f, 0.037f, true, true, 431.3f},  // both keys cancel exactly,
        {100.1f, 0.037f, true, true, 100.1f},  // also where a step left and back would round
        {60.0f, 0.05f, true, false, 50.0f},
        {50.0f, 0.05f, true, false, 50.0f},
        {50.0f, 0.05f, true, true, 50.0f},
        {800.0f, 0.05f, false, true, 812.0f},  // right edge stops at 850
        {812.0f, 0.05f, false, true, 812.0f},
        {431.0f, 10.0f, true, false, 50.0f},
        {431.0f, 10.0f, false, true, 812.0f},
    };
    for (const Case& c : cases) {
        PlayerShip ship = shipAt(c.x);
        moveShip(ship, c.dt, c.left, c.right);
        EXPECT_EQ(ship.x, c.expected) << "from " << c.x << " dt " << c.dt << " left " << c.left << " right " << c.right;
        EXPECT_EQ(ship.y, 622.0f);
    }
}

TEST(Ship, GunsFireAtOnceThenAfterAWholeCooldown)
{
    GameState state = createGameState();
    runGuns(state, 0.016f, true);
    EXPECT_EQ(state.shots.size(), 1u) << "the cooldown starts at 0";
    EXPECT_EQ(state.fireCooldown, 0.16f);

    for (int pass = 0; pass < 3; ++pass)
        runGuns(state, 0.05f, true);
    EXPECT_EQ(state.shots.size(), 1u) << "0.15 s is not enough";
    runGuns(state, 0.05f, true);
    EXPECT_EQ(state.shots.size(), 2u) << "fires once 0.16 s have passed";
    EXPECT_EQ(state.fireCooldown, 0.16f) << "the 0.04 s overshoot is not carried over";

    runGuns(state, 0.16f, true);
    EXPECT_EQ(state.shots.size(), 3u) << "a pass that brings the cooldown exactly to 0 fires";

    runGuns(state, 0.2f, false);
    EXPECT_EQ(state.fireCooldown, 0.0f) << "counts down without fire, never below 0";
    EXPECT_EQ(state.shots.size(), 3u);
    runGuns(state, 0.0f, true);
    EXPECT_EQ(state.shots.size(), 4u) << "ready guns fire in a pass of no time";
}

TEST(Ship, GunsFireTheLoadoutAtFiringTime)
{
    GameState state = createGameState();
    state.ship.x = 100.0f;
    state.guns = 3;
    state.power = 7;
    runGuns(state, 0.01f, true);
    ASSERT_EQ(state.shots.size(), 3u);
    for (const Shot& shot : state.shots)
        EXPECT_EQ(shot.damage, 7);
    EXPECT_EQ(state.shots[0].x, 106.0f);
}

TEST(Ship, ParallelVolleysAreThirteenApartAroundTheMuzzle)
{
    struct Case {
        std::int32_t guns;
        bool supergun;
        std::vector<float> xs;
    };
    // Ship at x 100: muzzle at (119, 624).
    const Case cases[] = {
        {1, false, {119.0f}},
        {1, true, {119.0f}},  // a fan needs two guns
        {2, false, {112.5f, 125.5f}},
        {3, false, {106.0f, 119.0f, 132.0f}},
    };
    for (const Case& c : cases) {
        const std::vector<Shot> shots = volley(100.0f, c.guns, 4, c.supergun);
        ASSERT_EQ(shots.size(), c.xs.size()) << c.guns << " guns";
        for (std::size_t i = 0; i < shots.size(); ++i) {
            EXPECT_EQ(shots[i].x, c.xs[i]) << c.guns << " guns, shot " << i;
            EXPECT_EQ(shots[i].y, 624.0f);
            EXPECT_EQ(shots[i].vx, 0.0f);
            EXPECT_EQ(shots[i].vy, -640.0f);
            EXPECT_EQ(shots[i].radius, 5.0f);
            EXPECT_EQ(shots[i].damage, 4);
        }
    }
}

TEST(Ship, SupergunFansTheVolleyFromOnePointLeftmostFirst)
{
    struct Case {
        std::int32_t guns;
        std::vector<double> degrees;
    };
    for (const Case& c : {Case{2, {-11.0, 11.0}}, Case{3, {-15.0, 0.0, 15.0}}}) {
        const std::vector<Shot> shots = volley(431.0f, c.guns, 2, true);
        ASSERT_EQ(shots.size(), c.degrees.size());
        for (std::size_t i = 0; i < shots.size(); ++i) {
            const double radians = c.degrees[i] * 3.14159265358979 / 180.0;
            EXPECT_EQ(shots[i].x, 450.0f);
            EXPECT_EQ(shots[i].y, 624.0f);
            EXPECT_NEAR(shots[i].vx, std::sin(radians) * 640.0, 0.01) << c.guns << " guns, shot " << i;
            EXPECT_NEAR(shots[i].vy, -std::cos(radians) * 640.0, 0.01) << c.guns << " guns, shot " << i;
            EXPECT_EQ(shots[i].damage, 2);
            EXPECT_EQ(shots[i].radius, 5.0f);
        }
    }
}

TEST(Ship, ShotsFlyByTheirVelocity)
{
    std::vector<Shot> shots = {Shot{450.0f, 600.0f, -120.0f, -600.0f, 5.0f, 1}, build::shot(300.0f, 500.0f)};
    moveShots(shots, 0.05f);
    EXPECT_EQ(shots[0].x, 450.0f - 120.0f * 0.05f);
    EXPECT_EQ(shots[0].y, 600.0f - 600.0f * 0.05f);
    EXPECT_EQ(shots[1].x, 300.0f);
    EXPECT_EQ(shots[1].y, 500.0f - 640.0f * 0.05f);
}

TEST(Ship, ShotsWhollyOutsideThePlayAreaAreCulledInOrder)
{
    struct Case {
        float x, y;
        bool stays;
    };
    const Case cases[] = {
        {450.0f, 84.0f, true},  // 89 is not above 88
        {450.0f, 83.0f, true},  // touching the line
        {450.0f, 82.9f, false},
        {450.0f, -50.0f, false},
        {905.0f, 300.0f, true},
        {905.1f, 300.0f, false},
        {-5.0f, 300.0f, true},
        {-5.1f, 300.0f, false},
        {450.0f, 690.0f, true},  // no bottom line
    };
    std::vector<Shot> shots;
    std::vector<std::pair<float, float>> kept;
    for (const Case& c : cases) {
        shots.push_back(Shot{c.x, c.y, 0.0f, -640.0f, 5.0f, 1});
        if (c.stays)
            kept.emplace_back(c.x, c.y);
    }
    cullShots(shots);
    std::vector<std::pair<float, float>> left;
    for (const Shot& shot : shots)
        left.emplace_back(shot.x, shot.y);
    EXPECT_EQ(left, kept);
}
