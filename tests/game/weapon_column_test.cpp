// The weapon column: random crate types, unlocking, claims, grants, pruning and the highlight.
#include "game/weapon_column.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "game/game_state.hpp"
#include "game/pass.hpp"
#include "game/columns.hpp"
#include "tests/game/builders.hpp"

namespace {

using UT = UpgradeType;

std::vector<UpgradeType> typesOf(const WeaponColumn& column)
{
    std::vector<UpgradeType> types;
    for (const UpgradeCrate& crate : column)
        types.push_back(crate.type);
    return types;
}

// The type a new crate gets: the next output of the reference engine picks an entry of
// the candidate list by the high half of size x output.
UpgradeType nextPick(std::mt19937& reference, const std::vector<UpgradeType>& candidates)
{
    const auto n = static_cast<std::uint32_t>(candidates.size());
    const auto u = static_cast<std::uint32_t>(reference());
    EXPECT_GE(draws::lowOf(n, u), n) << "pick a case without a rejection";
    return candidates[draws::highOf(n, u)];
}

Shot onBottomCrate()
{
    return build::shot(build::kWeaponCrateCentreX, build::kBottomCrateCentreY);
}

void expectSlidingIn(const UpgradeCrate& crate, int slot)
{
    EXPECT_EQ(crate.x, 781.0f);
    EXPECT_EQ(crate.targetY, build::slotY(slot));
    EXPECT_EQ(crate.y, build::slotY(slot) - 78.0f) << "a new crate starts one slot high";
    EXPECT_EQ(crate.width, 48.0f);
    EXPECT_EQ(crate.height, 48.0f);
    EXPECT_EQ(crate.hits, 0);
    EXPECT_EQ(crate.hitsNeeded, 10);
    EXPECT_FALSE(crate.unlocked);
    EXPECT_EQ(crate.unlockFlash, 0.0f);
}

}  // namespace

TEST(WeaponColumn, NewCrateTypeIsPickedFromTheWeightedCandidates)
{
    struct Case {
        std::int32_t guns, power;
        bool supergun;
        std::vector<UpgradeType> candidates;
    };
    const Case cases[] = {
        {1, 1, false, {UT::Gun, UT::Gun, UT::Power, UT::Power, UT::Power}},
        {2, 1, false, {UT::Gun, UT::Gun, UT::Power, UT::Power, UT::Power, UT::Supergun}},
        {2, 1, true, {UT::Gun, UT::Gun, UT::Power, UT::Power, UT::Power}},
        {3, 1, false, {UT::Power, UT::Power, UT::Power, UT::Supergun}},
        {3, 19, true, {UT::Power, UT::Power, UT::Power}},
        {2, 20, false, {UT::Gun, UT::Gun, UT::Supergun}},
        {1, 20, false, {UT::Gun, UT::Gun}},
        {3, 20, false, {UT::Supergun}},  // one candidate still takes a draw
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.guns << " guns, power " << c.power << ", supergun " << c.supergun);
        std::mt19937 rng(kRandomSeed);
        std::mt19937 reference(kRandomSeed);
        for (int i = 0; i < 200; ++i)
            ASSERT_EQ(pickUpgradeType(rng, c.guns, c.power, c.supergun), nextPick(reference, c.candidates)) << "draw " << i;
        EXPECT_TRUE(rng == reference);
    }

    std::mt19937 rng(kRandomSeed);
    EXPECT_EQ(pickUpgradeType(rng, 3, 20, true), UT::Power);
    EXPECT_TRUE(rng == std::mt19937(kRandomSeed)) << "nothing eligible: no draw";
}

TEST(WeaponColumn, BottomCrateOpensAtItsScoreMargin)
{
    struct Case {
        UpgradeType type;
        std::int32_t lastUpgradeScore, score;
        bool opens;
    };
    const Case cases[] = {
        {UT::Gun, 0, 1999, false},      {UT::Gun, 0, 2000, true},       {UT::Power, 0, 3199, false},
        {UT::Power, 0, 3200, true},     {UT::Supergun, 500, 8499, false}, {UT::Supergun, 500, 8500, true},
        {UT::Gun, 4000, 5999, false},   {UT::Gun, 4000, 6000, true},    {UT::Power, 4000, 7200, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << static_cast<int>(c.type) << ", last " << c.lastUpgradeScore
                                          << ", score " << c.score);
        GameState state = build::stateWithWeaponColumn({c.type, UT::Power});
        state.guns = 2;
        state.lastUpgradeScore = c.lastUpgradeScore;
        state.score = c.score;
        state.shots = {onBottomCrate(), build::shot(700.0f, build::kBottomCrateCentreY), onBottomCrate()};
        state.shots[2].damage = 0;

        EXPECT_EQ(isCrateUnlocked(state.weaponColumn[0], c.score, c.lastUpgradeScore), c.opens);
        shootWeaponColumn(state);
        EXPECT_EQ(state.weaponColumn[0].hits, c.opens ? 1 : 0);
        EXPECT_EQ(state.shots[0].damage, c.opens ? 0 : 1) << "a locked crate lets shots through";
        EXPECT_EQ(state.shots[1].damage, 1) << "a shot beside the crate";
        EXPECT_EQ(state.weaponColumn[1].hits, 0);
    }
}

TEST(WeaponColumn, TenthHitGrantsTheUpgradeAndTheColumnSlidesDown)
{
    GameState state = build::stateWithWeaponColumn({UT::Gun, UT::Power, UT::Gun, UT::Power, UT::Power});
    state.weaponColumn[0].hits = 9;
    state.score = 2000;
    state.shots = {onBottomCrate(), onBottomCrate()};
    std::mt19937 reference = state.rng;
    const UpgradeType newType =
        nextPick(reference, {UT::Gun, UT::Gun, UT::Power, UT::Power, UT::Power, UT::Supergun});

    shootWeaponColumn(state);
    EXPECT_EQ(state.guns, 2);
    EXPECT_TRUE(state.loadoutChanged);
    EXPECT_EQ(state.upgradeHistory, std::vector<UpgradeType>{UT::Gun});
    EXPECT_EQ(state.lastUpgradeScore, 2000);
    EXPECT_EQ(state.score, 2000);
    ASSERT_EQ(state.messages.size(), 1u);
    expectMessage(state.messages[0], "1 GUN ADDED", 450.0f, 330.0f, 0.75f, 1.0f, 0.55f);
    EXPECT_EQ(state.shots[0].damage, 0);
    EXPECT_EQ(state.shots[1].damage, 1) << "the moving column lets the rest of the volley through";

    EXPECT_EQ(typesOf(state.weaponColumn), (std::vector{UT::Power, UT::Gun, UT::Power, UT::Power, newType}));
    EXPECT_TRUE(state.rng == reference) << "one draw for the one new crate";
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(state.weaponColumn[i].targetY, build::slotY(i));
        EXPECT_EQ(state.weaponColumn[i].y, build::slotY(i + 1)) << "still where it was";
    }
    expectSlidingIn(state.weaponColumn[4], 4);

    // 78 units at 39 per second: moving for 2 s, and shots pass meanwhile.
    state.score = 20000;
    for (int step = 0; step < 3; ++step)
        slideColumn(state.weaponColumn, 0.5f);
    EXPECT_EQ(state.weaponColumn[0].y, 460.0f + 39.0f * 1.5f);
    EXPECT_TRUE(columnMoving(state.weaponColumn));
    state.shots = {build::shot(805.0f, state.weaponColumn[0].y + 24.0f)};
    shootWeaponColumn(state);
    EXPECT_EQ(state.shots[0].damage, 1);
    EXPECT_EQ(state.weaponColumn[0].hits, 0);

    slideColumn(state.weaponColumn, 0.5f);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(state.weaponColumn[i].y, build::slotY(i)) << "crate " << i << " rests in its slot";
    EXPECT_FALSE(columnMoving(state.weaponColumn));
    state.shots = {onBottomCrate()};
    shootWeaponColumn(state);
    EXPECT_EQ(state.weaponColumn[0].hits, 1);
}

TEST(WeaponColumn, SlideNeverOvershootsAndRestsWithinHalfAUnit)
{
    WeaponColumn column = build::weaponColumn({UT::Gun, UT::Power});
    column[0].y = 530.0f;  // 8 above its slot: a step of 9.75 down stops on it
    column[1].y = 470.0f;  // 10 below its slot: slides up
    slideColumn(column, 0.25f);
    EXPECT_EQ(column[0].y, 538.0f);
    EXPECT_EQ(column[1].y, 460.25f);
    slideColumn(column, 0.25f);
    EXPECT_EQ(column[1].y, 460.0f);

    column[0].y = 537.5f;
    EXPECT_FALSE(columnMoving(column)) << "0.5 away counts as resting";
    column[0].y = 538.6f;
    EXPECT_TRUE(columnMoving(column));
}

TEST(WeaponColumn, ThirdGunPrunesTheOtherGunCrates)
{
    GameState state = build::stateWithWeaponColumn({UT::Gun, UT::Gun, UT::Power, UT::Gun, UT::Power});
    state.guns = 2;
    state.upgradeHistory = {UT::Gun};
    state.weaponColumn[0].hits = 9;
    state.score = 2000;
    // After this pass's move of 6.4 units the shot sits on the bottom crate.
    state.shots = {build::shot(build::kWeaponCrateCentreX, build::kBottomCrateCentreY + 6.4f)};
    std::mt19937 reference = state.rng;
    const std::vector<UpgradeType> candidates = {UT::Power, UT::Power, UT::Power, UT::Supergun};
    const UpgradeType first = nextPick(reference, candidates);
    const UpgradeType second = nextPick(reference, candidates);
    const UpgradeType third = nextPick(reference, candidates);

    updateGame(state, 0.01f, HeldKeys{});
    EXPECT_EQ(state.guns, 3);
    EXPECT_EQ(typesOf(state.weaponColumn), (std::vector{UT::Power, UT::Power, first, second, third}));
    EXPECT_TRUE(state.rng == reference) << "the end-of-update rebuild draws nothing more";
    EXPECT_EQ(state.weaponColumn[0].targetY, 538.0f);
    EXPECT_EQ(state.weaponColumn[0].y, 382.0f) << "claimed after this pass's slide: starts from its old slot";
    EXPECT_EQ(state.weaponColumn[1].targetY, 460.0f);
    EXPECT_EQ(state.weaponColumn[1].y, 226.0f);
    for (int slot = 2; slot < 5; ++slot)
        EXPECT_EQ(state.weaponColumn[slot].targetY, build::slotY(slot));
}

TEST(WeaponColumn, SupergunPrunesTheOtherSupergunCrates)
{
    GameState state = build::stateWithWeaponColumn({UT::Supergun, UT::Power, UT::Supergun, UT::Gun, UT::Supergun});
    state.guns = 2;
    state.weaponColumn[0].hits = 9;
    state.score = 8000;
    state.shots = {onBottomCrate()};
    std::mt19937 reference = state.rng;
    const std::vector<UpgradeType> candidates = {UT::Gun, UT::Gun, UT::Power, UT::Power, UT::Power};
    const UpgradeType first = nextPick(reference, candidates);
    const UpgradeType second = nextPick(reference, candidates);
    const UpgradeType third = nextPick(reference, candidates);

    shootWeaponColumn(state);
    EXPECT_TRUE(state.supergun);
    ASSERT_FALSE(state.messages.empty());
    EXPECT_EQ(state.messages.back().text, "SUPERGUN ADDED");
    EXPECT_EQ(typesOf(state.weaponColumn), (std::vector{UT::Power, UT::Gun, first, second, third}));
    EXPECT_TRUE(state.rng == reference);
}

TEST(WeaponColumn, LossRebuildsTheColumnInTheSameUpdate)
{
    // Nothing is eligible with three guns, power 20 and the supergun: the column stays empty.
    GameState state = createGameState();
    state.guns = 3;
    state.power = 20;
    state.supergun = true;
    state.upgradeHistory = {UT::Supergun, UT::Gun};
    const std::mt19937 before = state.rng;
    topUpWeaponColumn(state.weaponColumn, state.rng, 3, 20, true, 760.0f, 660.0f);
    EXPECT_TRUE(state.weaponColumn.empty());
    EXPECT_TRUE(state.rng == before);
    state.weaponColumn.clear();
    state.shots = {onBottomCrate()};
    state.score = 50000;
    shootWeaponColumn(state);
    EXPECT_EQ(state.shots[0].damage, 1) << "an empty column lets shots through";

    // A Big escape takes the third gun back; Gun crates are eligible again at once.
    state.shots.clear();
    state.score = 0;
    state.monsters = {build::onFloor(MonsterKind::Big)};
    updateGame(state, 0.01f, HeldKeys{});
    EXPECT_EQ(state.guns, 2);
    EXPECT_TRUE(state.supergun);
    ASSERT_FALSE(state.messages.empty());
    EXPECT_EQ(state.messages.back().text, "1 GUN LOST");
    ASSERT_EQ(state.weaponColumn.size(), 5u);
    for (int slot = 0; slot < 5; ++slot) {
        SCOPED_TRACE(::testing::Message() << "slot " << slot);
        EXPECT_EQ(state.weaponColumn[slot].type, UT::Gun) << "the only candidates are Gun, Gun";
        expectSlidingIn(state.weaponColumn[slot], slot);
    }
    EXPECT_TRUE(state.rng == draws::advanced(before, 5));
}

TEST(WeaponColumn, LosingTheSecondGunPrunesSupergunCrates)
{
    GameState state = build::stateWithWeaponColumn({UT::Supergun, UT::Power, UT::Supergun, UT::Power, UT::Power});
    state.guns = 2;
    state.upgradeHistory = {UT::Gun};
    state.monsters = {build::onFloor(MonsterKind::Big)};
    std::mt19937 reference = state.rng;
    const std::vector<UpgradeType> candidates = {UT::Gun, UT::Gun, UT::Power, UT::Power, UT::Power};
    const UpgradeType first = nextPick(reference, candidates);
    const UpgradeType second = nextPick(reference, candidates);

    updateGame(state, 0.01f, HeldKeys{});
    EXPECT_EQ(state.guns, 1);
    EXPECT_EQ(typesOf(state.weaponColumn), (std::vector{UT::Power, UT::Power, UT::Power, first, second}));
    EXPECT_TRUE(state.rng == reference);
}

TEST(WeaponColumn, GrantPaysPointsWhenTheUpgradeCannotBeGranted)
{
    struct Case {
        UpgradeType type;
        std::int32_t guns, power;
        bool supergun;
        bool granted;
        std::int32_t gunsAfter, powerAfter;
        bool supergunAfter;
    };
    const Case cases[] = {
        {UT::Gun, 2, 1, false, true, 3, 1, false},         {UT::Gun, 3, 1, false, false, 3, 1, false},
        {UT::Power, 1, 19, false, true, 1, 20, false},     {UT::Power, 1, 20, false, false, 1, 20, false},
        {UT::Supergun, 2, 1, false, true, 2, 1, true},     {UT::Supergun, 1, 1, false, false, 1, 1, false},
        {UT::Supergun, 3, 1, true, false, 3, 1, true},
    };
    for (const Case& c : cases) {
        std::int32_t guns = c.guns;
        std::int32_t power = c.power;
        bool supergun = c.supergun;
        std::int32_t score = 5000;
        EXPECT_EQ(grantUpgrade(c.type, guns, power, supergun, score), c.granted);
        EXPECT_EQ(guns, c.gunsAfter);
        EXPECT_EQ(power, c.powerAfter);
        EXPECT_EQ(supergun, c.supergunAfter);
        EXPECT_EQ(score, c.granted ? 5000 : 5250);
    }

    // A claim that ends so records nothing, but the crate is used up all the same.
    GameState state = build::stateWithWeaponColumn({UT::Gun, UT::Power, UT::Power, UT::Power, UT::Power});
    state.guns = 3;
    state.weaponColumn[0].hits = 9;
    state.score = 2000;
    state.shots = {onBottomCrate()};
    shootWeaponColumn(state);
    EXPECT_EQ(state.score, 2250);
    EXPECT_EQ(state.guns, 3);
    EXPECT_EQ(state.lastUpgradeScore, 0);
    EXPECT_TRUE(state.upgradeHistory.empty());
    EXPECT_TRUE(state.messages.empty());
    EXPECT_FALSE(state.loadoutChanged);
    ASSERT_EQ(state.weaponColumn.size(), 5u);
    EXPECT_EQ(state.weaponColumn[0].type, UT::Power);
    EXPECT_EQ(state.weaponColumn[0].y, 460.0f) << "the crate above moves down a slot";
}

TEST(WeaponColumn, UnlockHighlightStartsOnTheUnlockingPassAndEndsOnAGrant)
{
    GameState state = build::stateWithWeaponColumn({UT::Gun, UT::Power, UT::Gun, UT::Power, UT::Power});
    state.score = 1900;
    state.monsters = {build::small(300.0f, 300.0f)};
    state.monsters[0].hitPoints = 1;
    state.shots = {build::shot(320.0f, 320.0f + 6.4f)};

    updateGame(state, 0.01f, HeldKeys{});
    ASSERT_EQ(state.score, 2000) << "the kill of this pass unlocks the Gun crates";
    for (int i : {0, 2}) {
        EXPECT_TRUE(state.weaponColumn[i].unlocked);
        EXPECT_EQ(state.weaponColumn[i].unlockFlash, 5.0f - 0.01f) << "crate " << i;
    }
    for (int i : {1, 3, 4}) {
        EXPECT_FALSE(state.weaponColumn[i].unlocked);
        EXPECT_EQ(state.weaponColumn[i].unlockFlash, 0.0f) << "crate " << i;
    }

    updateUnlockFlash(state.weaponColumn, state.score, state.lastUpgradeScore, 4.0f);
    EXPECT_EQ(state.weaponColumn[0].unlockFlash, 5.0f - 0.01f - 4.0f) << "not restarted while it stays unlocked";
    updateUnlockFlash(state.weaponColumn, state.score, state.lastUpgradeScore, 2.0f);
    EXPECT_EQ(state.weaponColumn[0].unlockFlash, 0.0f) << "runs down to 0, not below";

    state.score = 3200;
    updateUnlockFlash(state.weaponColumn, state.score, state.lastUpgradeScore, 0.5f);
    EXPECT_EQ(state.weaponColumn[1].unlockFlash, 4.5f);
    EXPECT_EQ(state.weaponColumn[0].unlockFlash, 0.0f);

    state.lastUpgradeScore = 3200;  // a grant locks every crate again
    updateUnlockFlash(state.weaponColumn, state.score, state.lastUpgradeScore, 0.1f);
    for (const UpgradeCrate& crate : state.weaponColumn) {
        EXPECT_FALSE(crate.unlocked);
        EXPECT_EQ(crate.unlockFlash, 0.0f);
    }
}
