// The status line in the window title.
#include "game/title.hpp"

#include <gtest/gtest.h>

#include <string>

#include "game/game_state.hpp"
#include "game/pass.hpp"
#include "tests/game/builders.hpp"

namespace {
const std::string kControls = "  |  A/D Move  |  SPACE Shoot  |  R Restart  |  F11 Fullscreen  |  ESC Exit";
}

TEST(Title, FirstPassShowsTheStartingNumbers)
{
    GameState state = createGameState();
    const std::string title = runPass(state, PassInput{0.001f, 0, {}});
    EXPECT_EQ(title,
              "Pexilon  |  Score: 0  Health: 100  Level: 1  Wave: 1  Monsters: 0  Shots: 1  Power: 1  |  A/D Move  |  "
              "SPACE Shoot  |  R Restart  |  F11 Fullscreen  |  ESC Exit");
}

TEST(Title, ShowsGunsNotShotsInFlightAndNegativeNumbersAndGameOver)
{
    GameState state = createGameState();
    state.score = -1250;
    state.health = 0;
    state.level = 3;
    state.wave = 12;
    state.monsters = {build::small(200.0f, 200.0f), build::big(400.0f, 300.0f)};
    state.shots = {build::shot(400.0f, 400.0f), build::shot(410.0f, 400.0f), build::shot(420.0f, 400.0f),
                   build::shot(430.0f, 400.0f)};
    state.guns = 3;
    state.power = 20;

    const std::string running = "Pexilon  |  Score: -1250  Health: 0  Level: 3  Wave: 12  Monsters: 2  Shots: 3  Power: 20" + kControls;
    EXPECT_EQ(composeTitle(state), running);
    state.gameOver = true;
    EXPECT_EQ(composeTitle(state), running + "  |  GAME OVER");
}
