// How a weapon crate is drawn: brightness by slot and lock, emblem, frame, rings, bar, captions.
#include <gtest/gtest.h>

#include "game/weapon_column.hpp"
#include "ui/weapon_column_look.hpp"
#include "support/gl_double.hpp"

using namespace gldouble;

namespace {
// Every crate here stands in the bottom slot's box, centred on x 805; only the flags vary.
UpgradeCrate crateOf(UpgradeType type, std::int32_t hits = 0, float unlockFlash = 0)
{
    return {{781, 538, 48, 48, 538, hits, 10}, type, false, unlockFlash};
}

std::vector<Primitive> drawn(const UpgradeCrate& crate, bool isBottom, bool unlocked, std::int32_t neededScore)
{
    return recordPrimitives([&] { drawUpgradeCrate(crate, isBottom, unlocked, neededScore); });
}

std::vector<Primitive> gunEmblem()
{
    return text(789, 553, "+1", 2.1f, 0.02f, 0.06f, 0.12f);
}

std::vector<Primitive> powerEmblem()
{
    return text(785, 553, "+1P", 1.7f, 0.02f, 0.1f, 0.02f);
}

std::vector<Primitive> lockedFrameAndBar()
{
    return {outline(781, 538, 48, 48, 0.35f, 0.35f, 0.35f), rect(781, 591, 48, 5, 0.1f, 0.1f, 0.1f)};
}
}  // namespace

TEST(WeaponColumnLook, OpenBottomCrateWithHighlightRingsBarAndShotsLeft)
{
    // 3 of 10 hits: 70 % of the bar left and "7" centred on x 805.
    const std::vector<Primitive> expected =
        std::vector<Primitive>{rect(781, 538, 48, 48, 0.25f, 0.85f, 1.0f)} + gunEmblem() +
        std::vector<Primitive>{
            outline(781, 538, 48, 48, 0.95f, 0.95f, 0.95f),
            outline(777, 534, 56, 56, 1.0f, 1.0f, 0.35f),
            outline(773, 530, 64, 64, 0.4f, 0.9f, 1.0f),
            rect(781, 591, 48, 5, 0.18f, 0.02f, 0.02f),
            rect(781, 591, 33.6f, 5, 0.0f, 0.9f, 0.1f),
        } +
        text(801.1f, 599, "7", 1.3f, 0.95f, 0.95f, 0.95f);
    EXPECT_EQ(drawn(crateOf(UpgradeType::Gun, 3, 2.5f), true, true, 2000), expected);
}

TEST(WeaponColumnLook, UpperCratesAreDimmerAndHaveNoCaption)
{
    const float upper = 0.58f;
    const float upperLocked = 0.58f * 0.28f;
    // The highlight timer alone draws no rings on a locked crate.
    const std::vector<Primitive> lockedUpper =
        std::vector<Primitive>{rect(781, 538, 48, 48, 0.25f * upperLocked, 0.85f * upperLocked, upperLocked)} +
        gunEmblem() + lockedFrameAndBar();
    EXPECT_EQ(drawn(crateOf(UpgradeType::Gun, 0, 3.0f), false, false, 2000), lockedUpper);
    const std::vector<Primitive> openUpper =
        std::vector<Primitive>{rect(781, 538, 48, 48, 0.45f * upper, upper, 0.45f * upper)} + powerEmblem() +
        std::vector<Primitive>{
            outline(781, 538, 48, 48, 0.95f, 0.95f, 0.95f),
            rect(781, 591, 48, 5, 0.18f, 0.02f, 0.02f),
            rect(781, 591, 28.8f, 5, 0.0f, 0.9f, 0.1f),
        };
    EXPECT_EQ(drawn(crateOf(UpgradeType::Power, 4), false, true, 3200), openUpper);
}

TEST(WeaponColumnLook, OpenSupergunCrateShowsThreeBarrelsInThickLines)
{
    const Primitive barrels{GL_LINES,
                            {1.0f, 1.0f, 0.95f, 1.0f},
                            3.0f,
                            {{805, 550}, {805, 576}, {800, 552}, {792, 576}, {810, 552}, {818, 576}}};
    const std::vector<Primitive> body = drawn(crateOf(UpgradeType::Supergun), false, true, 8000);
    ASSERT_GE(body.size(), 3u);
    EXPECT_EQ(body[0], rect(781, 538, 48, 48, 0.58f, 0.88f * 0.58f, 0.05f * 0.58f));
    EXPECT_EQ(body[1], barrels);
    EXPECT_EQ(body[2], rect(803, 545, 4, 4, 1.0f, 1.0f, 0.95f));
}

TEST(WeaponColumnLook, LockedBottomCrateNamesTheScoreThatOpensIt)
{
    // A locked Supergun crate shows a dark block in place of its icon.
    const float k = 0.28f;
    const std::vector<Primitive> expected =
        std::vector<Primitive>{
            rect(781, 538, 48, 48, k, 0.88f * k, 0.05f * k),
            rect(799, 550, 12, 24, 0.22f, 0.22f, 0.06f),
        } +
        lockedFrameAndBar() + text(790, 599, "S8000", 1.0f, 0.75f, 0.75f, 0.75f) +
        text(791.8f, 521, "LOCK", 1.1f, 0.65f, 0.65f, 0.65f);
    EXPECT_EQ(drawn(crateOf(UpgradeType::Supergun), true, false, 8000), expected);
}
