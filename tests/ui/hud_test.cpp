// The HUD: label and health bar, score at a fixed left edge, two lines centred on x 450.
#include <gtest/gtest.h>

#include "game/game_state.hpp"
#include "support/gl_double.hpp"
#include "ui/hud.hpp"

using namespace gldouble;

namespace {
// Every shown number differs from the others, so no two can be swapped unseen.
GameState hudState(std::int32_t health, std::int32_t score, std::int32_t level, std::int32_t wave, std::int32_t guns,
                   std::int32_t power, bool supergun)
{
    GameState state;
    state.health = health;
    state.score = score;
    state.level = level;
    state.wave = wave;
    state.guns = guns;
    state.power = power;
    state.supergun = supergun;
    return state;
}
}  // namespace

TEST(Hud, LabelBarScoreAndTheTwoCentredLinesInOrder)
{
    // "LEVEL:2  WAVE:7" is 15 bytes (180 wide at scale 2); "SHOT:3  PWR:14  SPR:OFF" is 23
    // bytes (234.6 wide at scale 1.7).
    const std::vector<Primitive> expected =
        text(20, 16, "HEALTH", 2, 0.85f, 1.0f, 0.85f) +
        std::vector<Primitive>{
            rect(120, 17, 270, 20, 0.25f, 0.02f, 0.02f),
            rect(120, 17, 135, 20, 0.0f, 0.85f, 0.2f),
            outline(120, 17, 270, 20, 0.8f, 0.8f, 0.8f),
        } +
        text(650, 16, "SCORE:9", 2, 0.72f, 1.0f, 0.72f) + text(360, 48, "LEVEL:2  WAVE:7", 2, 0.8f, 0.9f, 1.0f) +
        text(332.7f, 70, "SHOT:3  PWR:14  SPR:OFF", 1.7f, 1.0f, 0.95f, 0.55f);
    const GameState state = hudState(50, 9, 2, 7, 3, 14, false);
    EXPECT_EQ(recordPrimitives([&] { drawHud(state); }), expected);
}

TEST(Hud, LongerLinesStartFurtherLeft)
{
    const GameState state = hudState(100, 123450, 3, 12, 2, 1, true);
    const std::vector<Primitive> drawn = recordPrimitives([&] { drawHud(state); });
    EXPECT_EQ(ofColour(drawn, 0.8f, 0.9f, 1.0f), text(354, 48, "LEVEL:3  WAVE:12", 2, 0.8f, 0.9f, 1.0f));
    EXPECT_EQ(ofColour(drawn, 1.0f, 0.95f, 0.55f), text(342.9f, 70, "SHOT:2  PWR:1  SPR:ON", 1.7f, 1.0f, 0.95f, 0.55f));
    EXPECT_EQ(ofColour(drawn, 0.72f, 1.0f, 0.72f), text(650, 16, "SCORE:123450", 2, 0.72f, 1.0f, 0.72f));
}

TEST(Hud, BarFillFollowsHealthWithinTheBar)
{
    const struct {
        std::int32_t health;
        float fillWidth;
    } cases[] = {{0, 0}, {50, 135}, {100, 270}, {130, 270}, {-20, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.health);
        const GameState state = hudState(c.health, 0, 1, 1, 1, 1, false);
        const std::vector<Primitive> drawn = recordPrimitives([&] { drawHud(state); });
        EXPECT_EQ(ofColour(drawn, 0.0f, 0.85f, 0.2f),
                  std::vector<Primitive>{rect(120, 17, c.fillWidth, 20, 0.0f, 0.85f, 0.2f)});
    }
}
