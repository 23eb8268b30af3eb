// The health column: twenty hits claim the bottom pack, which heals up to 100.
#include "game/health_column.hpp"

#include <gtest/gtest.h>

#include <random>

#include "game/game_state.hpp"
#include "game/columns.hpp"
#include "tests/game/builders.hpp"

namespace {

Shot onBottomPack(std::int32_t damage = 1)
{
    return build::shot(build::kHealthPackCentreX, build::kBottomCrateCentreY, damage);
}

}  // namespace

TEST(HealthColumn, PackHealsTenUpToAHundredAndSaysSo)
{
    struct Case {
        std::int32_t before, after;
        const char* text;
        float r, g, b;
    };
    const Case cases[] = {
        {60, 70, "10 HEALTH ADDED", 0.45f, 1.0f, 0.45f},
        {90, 100, "10 HEALTH ADDED", 0.45f, 1.0f, 0.45f},
        {95, 100, "10 HEALTH ADDED", 0.45f, 1.0f, 0.45f},  // adds 5, says 10
        {99, 100, "10 HEALTH ADDED", 0.45f, 1.0f, 0.45f},
        {100, 100, "HEALTH FULL", 0.75f, 1.0f, 0.75f},
    };
    for (const Case& c : cases) {
        std::int32_t health = c.before;
        MessageList messages;
        applyHealthPack(health, messages, 150.0f, 750.0f);
        EXPECT_EQ(health, c.after) << "from " << c.before;
        ASSERT_EQ(messages.size(), 1u);
        expectMessage(messages[0], c.text, 450.0f, 330.0f, c.r, c.g, c.b);
    }
}

TEST(HealthColumn, TwentiethHitClaimsThePackAndTheColumnSlidesDown)
{
    GameState state = createGameState();
    state.health = 60;
    state.healthColumn[0].hits = 18;
    state.shots = {onBottomPack(7), onBottomPack(), onBottomPack()};
    const std::mt19937 engine = state.rng;

    shootHealthColumn(state.healthColumn, state.shots, state.health, state.messages);
    EXPECT_EQ(state.health, 70) << "no score is needed";
    ASSERT_EQ(state.messages.size(), 1u);
    EXPECT_EQ(state.messages[0].text, "10 HEALTH ADDED");
    EXPECT_EQ(state.shots[0].damage, 0) << "any shot counts as one hit";
    EXPECT_EQ(state.shots[1].damage, 0) << "the 20th hit";
    EXPECT_EQ(state.shots[2].damage, 1) << "the moving column lets the rest through";
    EXPECT_FALSE(state.loadoutChanged);
    EXPECT_TRUE(state.rng == engine) << "health packs draw nothing";

    ASSERT_EQ(state.healthColumn.size(), 5u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(state.healthColumn[i].targetY, build::slotY(i));
        EXPECT_EQ(state.healthColumn[i].y, build::slotY(i + 1));
        EXPECT_EQ(state.healthColumn[i].hits, 0);
    }
    const HealthCrate& top = state.healthColumn[4];
    EXPECT_EQ(top.x, 71.0f);
    EXPECT_EQ(top.targetY, 226.0f);
    EXPECT_EQ(top.y, 148.0f);
    EXPECT_EQ(top.width, 48.0f);
    EXPECT_EQ(top.height, 48.0f);
    EXPECT_EQ(top.hitsNeeded, 20);

    // 2 seconds of sliding; shots fly on until the column rests.
    for (int step = 0; step < 3; ++step)
        slideColumn(state.healthColumn, 0.5f);
    state.shots = {build::shot(build::kHealthPackCentreX, state.healthColumn[0].y + 24.0f)};
    shootHealthColumn(state.healthColumn, state.shots, state.health, state.messages);
    EXPECT_EQ(state.shots[0].damage, 1);
    EXPECT_EQ(state.healthColumn[0].hits, 0);

    slideColumn(state.healthColumn, 0.5f);
    EXPECT_FALSE(columnMoving(state.healthColumn));
    EXPECT_EQ(state.healthColumn[4].y, 226.0f);
    state.shots = {onBottomPack()};
    shootHealthColumn(state.healthColumn, state.shots, state.health, state.messages);
    EXPECT_EQ(state.healthColumn[0].hits, 1);
}

TEST(HealthColumn, PackAtFullHealthIsUsedUpAllTheSame)
{
    GameState state = createGameState();
    state.healthColumn[0].hits = 19;
    state.healthColumn[1].hits = 3;  // a count survives the move down a slot
    state.shots = {onBottomPack(), build::shot(300.0f, 400.0f)};

    shootHealthColumn(state.healthColumn, state.shots, state.health, state.messages);
    EXPECT_EQ(state.health, 100);
    ASSERT_EQ(state.messages.size(), 1u);
    EXPECT_EQ(state.messages[0].text, "HEALTH FULL");
    ASSERT_EQ(state.healthColumn.size(), 5u);
    EXPECT_EQ(state.healthColumn[0].hits, 3);
    EXPECT_EQ(state.healthColumn[0].targetY, 538.0f);
    EXPECT_EQ(state.shots[1].damage, 1) << "a shot elsewhere is not touched";
}
