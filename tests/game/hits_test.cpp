// Hits on monsters, kills, escapes, penalties and the end of the game.
#include "game/hits.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game_state.hpp"
#include "game/pass.hpp"
#include "tests/game/builders.hpp"

namespace {

using UT = UpgradeType;

std::vector<std::string> textsOf(const MessageList& list)
{
    std::vector<std::string> texts;
    for (const FloatingText& message : list)
        texts.push_back(message.text);
    return texts;
}

struct Loadout {
    std::int32_t guns;
    std::int32_t power;
    bool supergun;
    bool operator==(const Loadout&) const = default;
};

Loadout loadoutOf(const GameState& state)
{
    return {state.guns, state.power, state.supergun};
}

void setLoadout(GameState& state, Loadout loadout, std::vector<UpgradeType> history)
{
    state.guns = loadout.guns;
    state.power = loadout.power;
    state.supergun = loadout.supergun;
    state.upgradeHistory = std::move(history);
}

// Applies one penalty and returns the text it posted.
std::string penalise(GameState& state)
{
    state.messages.clear();
    state.loadoutChanged = false;
    applyPenalty(state);
    EXPECT_EQ(state.messages.size(), 1u);
    return state.messages.empty() ? "" : state.messages.back().text;
}

}  // namespace

TEST(Hits, CircleTouchingARectangleCounts)
{
    // Rectangle x 100..150, y 100..140; radius 5 unless given.
    struct Case {
        float cx, cy, radius;
        bool hits;
    };
    const Case cases[] = {
        {120.0f, 120.0f, 5.0f, true},   // centre inside
        {100.0f, 100.0f, 5.0f, true},   // centre on a corner
        {95.0f, 120.0f, 5.0f, true},    // touching the left edge
        {94.5f, 120.0f, 5.0f, false},
        {155.0f, 120.0f, 5.0f, true},   // touching the right edge
        {155.5f, 120.0f, 5.0f, false},
        {120.0f, 95.0f, 5.0f, true},    // touching the top
        {120.0f, 145.0f, 5.0f, true},   // touching the bottom
        {120.0f, 145.5f, 5.0f, false},
        {97.0f, 96.0f, 5.0f, true},     // 3-4-5 from the top-left corner: exactly r
        {96.5f, 96.0f, 5.0f, false},
        {153.0f, 144.0f, 5.0f, true},   // 3-4-5 from the bottom-right corner
        {153.0f, 144.5f, 5.0f, false},
        {153.0f, 96.0f, 5.0f, true},    // top-right corner
        {150.0f, 140.0f, 0.0f, true},   // a point on the corner
        {150.5f, 140.0f, 0.0f, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(circleHitsRect(c.cx, c.cy, c.radius, 100.0f, 100.0f, 50.0f, 40.0f), c.hits)
            << "centre (" << c.cx << ", " << c.cy << ") radius " << c.radius;
}

TEST(Hits, ShotHitsOnlyTheOldestMonsterItTouches)
{
    // Two overlapping monsters: x 300..340 and 310..350.
    std::vector<Monster> monsters = {build::small(300.0f, 300.0f), build::small(310.0f, 300.0f)};
    std::vector<Shot> shots = {build::shot(320.0f, 320.0f, 3), build::shot(348.0f, 320.0f, 2),
                               build::shot(500.0f, 320.0f, 4), build::shot(325.0f, 320.0f, 0)};
    hitMonsters(monsters, shots);
    EXPECT_EQ(monsters[0].hitPoints, 7) << "the older monster takes the shot touching both";
    EXPECT_EQ(monsters[1].hitPoints, 8) << "the newer one takes the shot touching only it";
    EXPECT_EQ(shots[0].damage, 0);
    EXPECT_EQ(shots[1].damage, 0);
    EXPECT_EQ(shots[2].damage, 4) << "a miss stays live";
    EXPECT_EQ(shots[3].damage, 0) << "a spent shot does nothing";
}

TEST(Hits, DeadMonsterKeepsTakingShotsOfTheSamePass)
{
    std::vector<Monster> monsters = {build::small(300.0f, 300.0f)};
    monsters[0].hitPoints = 2;
    std::vector<Shot> shots = {build::shot(307.0f, 320.0f, 5), build::shot(320.0f, 320.0f, 5),
                               build::shot(333.0f, 320.0f, 5)};
    hitMonsters(monsters, shots);
    EXPECT_EQ(monsters[0].hitPoints, -13);
    for (const Shot& shot : shots)
        EXPECT_EQ(shot.damage, 0);

    removeSpentShots(shots);
    EXPECT_TRUE(shots.empty());
}

TEST(Hits, SpentShotsAndDeadMonstersLeaveInOrder)
{
    std::vector<Shot> shots = {build::shot(1.0f, 200.0f, 1), build::shot(2.0f, 200.0f, 0), build::shot(3.0f, 200.0f, 3),
                               build::shot(4.0f, 200.0f, -1)};
    removeSpentShots(shots);
    ASSERT_EQ(shots.size(), 2u);
    EXPECT_EQ(shots[0].x, 1.0f);
    EXPECT_EQ(shots[1].x, 3.0f);

    std::vector<Monster> monsters = {build::small(200.0f, 200.0f), build::medium(300.0f, 200.0f),
                                     build::big(400.0f, 200.0f), build::small(500.0f, 200.0f)};
    monsters[0].hitPoints = 0;
    monsters[1].hitPoints = 5;
    monsters[2].hitPoints = -3;
    monsters[3].hitPoints = 1;
    std::int32_t score = 1000;
    collectKills(monsters, score);
    EXPECT_EQ(score, 1000 + 100 + 700);
    ASSERT_EQ(monsters.size(), 2u);
    EXPECT_EQ(monsters[0].x, 300.0f);
    EXPECT_EQ(monsters[1].x, 500.0f);
}

TEST(Hits, MonsterKilledOnTheFloorLineScoresAndCostsNothing)
{
    for (bool shotFired : {true, false}) {
        GameState state = createGameState();
        state.monsters = {build::onFloor(MonsterKind::Big, 300.0f)};
        state.monsters[0].hitPoints = 1;
        if (shotFired)
            state.shots = {build::shot(328.0f, 640.0f)};

        updateGame(state, 0.01f, HeldKeys{});
        EXPECT_TRUE(state.monsters.empty());
        if (shotFired) {
            EXPECT_EQ(state.score, 700);
            EXPECT_EQ(state.health, 100);
            EXPECT_TRUE(state.messages.empty());
        } else {
            EXPECT_EQ(state.score, 0);
            EXPECT_EQ(state.health, 95);
            EXPECT_EQ(textsOf(state.messages), std::vector<std::string>{"5 HEALTH LOST"});
        }
    }
}

TEST(Hits, EscapesCostEveryBigEverySecondMediumEveryThirdSmall)
{
    using K = MonsterKind;
    struct Step {
        K kind;
        std::int32_t health;
    };
    // The counters run across the whole game, not per wave and not per kind of penalty.
    const Step steps[] = {{K::Small, 100}, {K::Small, 100}, {K::Small, 95}, {K::Medium, 95}, {K::Medium, 90},
                          {K::Big, 85},    {K::Small, 85},  {K::Medium, 85}, {K::Small, 85}, {K::Medium, 80},
                          {K::Small, 75},  {K::Big, 70}};
    GameState state = createGameState();
    int n = 0;
    for (const Step& step : steps) {
        state.monsters = {build::onFloor(step.kind)};
        handleEscapes(state);
        EXPECT_TRUE(state.monsters.empty());
        EXPECT_EQ(state.health, step.health) << "escape " << ++n;
        EXPECT_EQ(state.score, 0);
    }
}

TEST(Hits, FloorLineIsReachedWhenTheBottomEdgeTouchesIt)
{
    GameState state = createGameState();
    Monster above = build::big(200.0f, 0.0f);
    above.y = 660.0f - 44.0f - 0.1f;
    Monster later = build::small(500.0f, 400.0f);
    state.monsters = {above, build::onFloor(MonsterKind::Big, 300.0f), later};
    handleEscapes(state);
    ASSERT_EQ(state.monsters.size(), 2u);
    EXPECT_EQ(state.monsters[0].x, 200.0f);
    EXPECT_EQ(state.monsters[1].x, 500.0f);
    EXPECT_EQ(state.health, 95);
}

TEST(Hits, PenaltiesTakeUpgradesBackNewestFirst)
{
    GameState state = createGameState();
    setLoadout(state, {2, 2, true}, {UT::Gun, UT::Power, UT::Supergun});
    EXPECT_EQ(penalise(state), "SUPERGUN LOST");
    EXPECT_EQ(loadoutOf(state), (Loadout{2, 2, false}));
    EXPECT_TRUE(state.loadoutChanged);
    EXPECT_EQ(penalise(state), "1 POWER LOST");
    EXPECT_EQ(loadoutOf(state), (Loadout{2, 1, false}));
    EXPECT_EQ(penalise(state), "1 GUN LOST");
    EXPECT_EQ(loadoutOf(state), (Loadout{1, 1, false}));
    EXPECT_TRUE(state.loadoutChanged);
    const FloatingText loss = state.messages.back();
    EXPECT_EQ(penalise(state), "5 HEALTH LOST");
    EXPECT_FALSE(state.loadoutChanged) << "health costs no loadout change";
    EXPECT_EQ(state.health, 95);

    expectMessage(loss, "1 GUN LOST", 450.0f, 330.0f, 1.0f, 0.42f, 0.22f);
    expectMessage(state.messages.back(), "5 HEALTH LOST", 450.0f, 330.0f, 1.0f, 0.18f, 0.18f);
}

TEST(Hits, PenaltyWalksTheHistoryAndDiscardsStaleEntries)
{
    GameState state = createGameState();

    // Gun, Supergun, then Gun again: a gun, the supergun, a gun.
    setLoadout(state, {3, 1, true}, {UT::Gun, UT::Supergun, UT::Gun});
    EXPECT_EQ(penalise(state), "1 GUN LOST");
    EXPECT_EQ(loadoutOf(state), (Loadout{2, 1, true})) << "two guns keep the supergun";
    EXPECT_EQ(penalise(state), "SUPERGUN LOST");
    EXPECT_EQ(loadoutOf(state), (Loadout{2, 1, false}));
    EXPECT_EQ(penalise(state), "1 GUN LOST");
    EXPECT_EQ(loadoutOf(state), (Loadout{1, 1, false}));
    EXPECT_TRUE(state.upgradeHistory.empty());

    // Entries for upgrades no longer held are dropped on the way to one that is.
    setLoadout(state, {1, 3, false}, {UT::Power, UT::Power, UT::Gun, UT::Supergun});
    EXPECT_EQ(penalise(state), "1 POWER LOST");
    EXPECT_EQ(loadoutOf(state), (Loadout{1, 2, false}));
    EXPECT_EQ(state.upgradeHistory, std::vector<UpgradeType>{UT::Power});

    // With no history left: the supergun, then power, then guns.
    setLoadout(state, {3, 2, true}, {});
    EXPECT_EQ(penalise(state), "SUPERGUN LOST");
    EXPECT_EQ(penalise(state), "1 POWER LOST");
    EXPECT_EQ(penalise(state), "1 GUN LOST");
    EXPECT_EQ(penalise(state), "1 GUN LOST");
    EXPECT_EQ(loadoutOf(state), (Loadout{1, 1, false}));
    EXPECT_EQ(state.health, 100);
    EXPECT_EQ(penalise(state), "5 HEALTH LOST");

    // Losing the second gun loses the supergun with it, in one message.
    setLoadout(state, {2, 1, true}, {UT::Supergun, UT::Gun});
    EXPECT_EQ(penalise(state), "1 GUN LOST");
    EXPECT_EQ(loadoutOf(state), (Loadout{1, 1, false}));
}

TEST(Hits, TwoEscapesInOnePassMakeTwoPenalties)
{
    GameState state = createGameState();
    setLoadout(state, {1, 2, false}, {UT::Power});
    state.monsters = {build::onFloor(MonsterKind::Big, 200.0f), build::onFloor(MonsterKind::Big, 400.0f)};
    handleEscapes(state);
    EXPECT_EQ(textsOf(state.messages), (std::vector<std::string>{"1 POWER LOST", "5 HEALTH LOST"}));
    EXPECT_EQ(state.power, 1);
    EXPECT_EQ(state.health, 95);

    state.messages.clear();
    state.monsters = {build::onFloor(MonsterKind::Big, 200.0f), build::onFloor(MonsterKind::Big, 400.0f)};
    handleEscapes(state);
    EXPECT_EQ(textsOf(state.messages), (std::vector<std::string>{"5 HEALTH LOST", "5 HEALTH LOST"}));
    EXPECT_EQ(state.health, 85);
}

TEST(Hits, LastPenaltyFreezesTheGameWhileItsMessageFades)
{
    struct Case {
        std::int32_t health;
        bool over;
    };
    for (Case c : {Case{3, true}, Case{5, true}, Case{6, false}}) {
        GameState state = createGameState();
        state.health = c.health;
        state.monsters = {build::onFloor(MonsterKind::Big), build::small(400.0f, 300.0f)};
        updateGame(state, 0.01f, HeldKeys{});
        EXPECT_EQ(state.gameOver, c.over) << "health " << c.health;
        EXPECT_EQ(state.health, c.over ? 0 : c.health - 5);
    }

    GameState state = createGameState();
    state.health = 3;
    state.monsters = {build::onFloor(MonsterKind::Big), build::small(400.0f, 300.0f)};
    state.shots = {build::shot(450.0f, 500.0f)};
    updateGame(state, 0.01f, HeldKeys{});
    ASSERT_TRUE(state.gameOver);
    const GameState frozen = state;

    for (int pass = 1; pass <= 4; ++pass) {
        runPass(state, PassInput{0.25f, 0, HeldKeys{true, false, true}});
        EXPECT_EQ(state.messages.size(), pass < 4 ? 1u : 0u) << "pass " << pass;
        EXPECT_EQ(state.health, 0);
        EXPECT_EQ(state.ship.x, frozen.ship.x);
        ASSERT_EQ(state.shots.size(), 1u);
        EXPECT_EQ(state.shots[0].y, frozen.shots[0].y);
        ASSERT_EQ(state.monsters.size(), 1u);
        EXPECT_EQ(state.monsters[0].y, frozen.monsters[0].y);
        EXPECT_EQ(state.spawnTimer, frozen.spawnTimer);
    }
}
