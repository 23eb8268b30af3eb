// Levels from waves, and the level banner.
#include "game/waves.hpp"

#include <gtest/gtest.h>

#include "game/game_state.hpp"
#include "game/pass.hpp"
#include "tests/game/builders.hpp"

namespace {

void expectBanner(const MessageList& messages, std::size_t first, const char* levelText)
{
    ASSERT_GE(messages.size(), first + 2);
    expectMessage(messages[first], levelText, 450.0f, 300.0f, 0.55f, 0.85f, 1.0f);
    expectMessage(messages[first + 1], "MONSTERS STRONGER", 450.0f, 345.0f, 1.0f, 0.72f, 0.25f);
}

}  // namespace

TEST(Waves, LevelForWave)
{
    struct Case {
        std::int32_t wave, level;
    };
    for (Case c : {Case{-7, 1}, Case{0, 1}, Case{1, 1}, Case{2, 1}, Case{5, 1}, Case{6, 2}, Case{7, 2}, Case{10, 2},
                   Case{11, 3}, Case{15, 3}, Case{16, 4}, Case{51, 11}})
        EXPECT_EQ(levelForWave(c.wave), c.level) << "wave " << c.wave;
}

TEST(Waves, NewLevelIsAnnouncedOnceWithTwoLines)
{
    GameState state = createGameState();
    for (std::int32_t wave = 1; wave <= 5; ++wave) {
        state.wave = wave;
        announceLevel(state.wave, state.level, state.announcedLevel, state.messages);
    }
    EXPECT_TRUE(state.messages.empty()) << "level 1 is never announced";
    EXPECT_EQ(state.level, 1);

    state.wave = 6;
    announceLevel(state.wave, state.level, state.announcedLevel, state.messages);
    EXPECT_EQ(state.level, 2);
    EXPECT_EQ(state.announcedLevel, 2);
    ASSERT_EQ(state.messages.size(), 2u);
    expectBanner(state.messages, 0, "LEVEL 2");

    state.wave = 7;
    announceLevel(state.wave, state.level, state.announcedLevel, state.messages);
    EXPECT_EQ(state.messages.size(), 2u) << "a level is announced once";

    // After a restart at level 3 the game announces level 2 again.
    state.wave = 11;
    announceLevel(state.wave, state.level, state.announcedLevel, state.messages);
    expectBanner(state.messages, 2, "LEVEL 3");
    restartGame(state);
    state.wave = 6;
    announceLevel(state.wave, state.level, state.announcedLevel, state.messages);
    ASSERT_EQ(state.messages.size(), 2u);
    expectBanner(state.messages, 0, "LEVEL 2");
}

TEST(Waves, FiftiethSpawnStartsLevelTwoInTheSamePass)
{
    GameState state = createGameState();
    state.spawnedCount = 49;
    state.wave = 5;
    state.level = 1;
    state.spawnTimer = 0.0f;

    updateGame(state, 0.01f, HeldKeys{});
    ASSERT_EQ(state.monsters.size(), 1u);
    const Monster& fiftieth = state.monsters[0];
    EXPECT_EQ(fiftieth.hitPoints, build::monster(fiftieth.kind, 0, 0).hitPoints) << "the 50th has level-1 hit points";
    EXPECT_EQ(state.spawnedCount, 50);
    EXPECT_EQ(state.wave, 6);
    EXPECT_EQ(state.level, 2);
    ASSERT_EQ(state.messages.size(), 2u);
    expectBanner(state.messages, 0, "LEVEL 2");

    state.spawnTimer = 0.0f;
    updateGame(state, 0.01f, HeldKeys{});
    ASSERT_EQ(state.monsters.size(), 2u);
    const Monster& fiftyFirst = state.monsters[1];
    const std::int32_t levelTwo[] = {12, 60, 120};
    EXPECT_EQ(fiftyFirst.hitPoints, levelTwo[static_cast<int>(fiftyFirst.kind)]) << "the 51st is tougher";
    EXPECT_EQ(state.messages.size(), 2u);
}
