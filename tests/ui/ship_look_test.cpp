// How the ship and a shot are drawn, part by part in their covering order.
#include <gtest/gtest.h>

#include "game/ship.hpp"
#include "ui/ship_look.hpp"
#include "support/gl_double.hpp"

using namespace gldouble;

TEST(ShipLook, FinsHullDomeBarrelCapThenDots)
{
    const PlayerShip ship{431, 622, 38, 52};  // start position: centred on x 450
    const std::vector<Primitive> expected = {
        rect(438, 660, 8, 13, 0.85f, 0.85f, 0.9f),
        rect(454, 660, 8, 13, 0.85f, 0.85f, 0.9f),
        rect(439, 642, 22, 22, 0.2f, 0.75f, 1.0f),
        disc(450, 632, 10, 1.0f, 0.78f, 0.55f),
        rect(446, 626, 8, 26, 0.9f, 0.9f, 0.95f),
        rect(443, 622, 14, 6, 0.75f, 0.75f, 0.85f),
        disc(446, 630, 1.5f, 0, 0, 0),
        disc(454, 630, 1.5f, 0, 0, 0),
    };
    EXPECT_EQ(recordPrimitives([&] { drawShip(ship); }), expected);
}

TEST(ShipLook, ShotIsABallWithItsTrailHangingBelowOverIt)
{
    const Shot shot{300, 400, 120, -600, 5, 3};
    const std::vector<Primitive> expected = {
        disc(300, 400, 5, 0.95f, 1.0f, 0.25f),
        rect(298, 400, 4, 12, 1.0f, 0.75f, 0.15f),
    };
    EXPECT_EQ(recordPrimitives([&] { drawShot(shot); }), expected);
}
