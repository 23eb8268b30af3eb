// The HUD: label and health bar, score at a fixed left edge, two lines centred on x 450.
#include <gtest/gtest.h>

#include "support/gl_double.hpp"
#include "ui/hud.hpp"

using namespace gldouble;

TEST(Hud, LabelBarScoreAndTheTwoCentredLinesInOrder)
{
    // "LEVEL:1  WAVE:1" is 15 bytes (180 wide at scale 2); "SHOT:1  PWR:1  SPR:OFF" is 22
    // bytes (224.4 wide at scale 1.7).
    const std::vector<Primitive> expected =
        text(20, 16, "HEALTH", 2, 0.85f, 1.0f, 0.85f) +
        std::vector<Primitive>{
            rect(120, 17, 270, 20, 0.25f, 0.02f, 0.02f),
            rect(120, 17, 135, 20, 0.0f, 0.85f, 0.2f),
            outline(120, 17, 270, 20, 0.8f, 0.8f, 0.8f),
        } +
        text(650, 16, "SCORE:0", 2, 0.72f, 1.0f, 0.72f) + text(360, 48, "LEVEL:1  WAVE:1", 2, 0.8f, 0.9f, 1.0f) +
        text(337.8f, 70, "SHOT:1  PWR:1  SPR:OFF", 1.7f, 1.0f, 0.95f, 0.55f);
    EXPECT_EQ(recordPrimitives([] { drawHud(900, 50, 0, 1, 1, 1, 1, false); }), expected);
}

TEST(Hud, LongerLinesStartFurtherLeft)
{
    const std::vector<Primitive> drawn = recordPrimitives([] { drawHud(900, 100, 123450, 12, 3, 3, 1, true); });
    EXPECT_EQ(ofColour(drawn, 0.8f, 0.9f, 1.0f), text(354, 48, "LEVEL:3  WAVE:12", 2, 0.8f, 0.9f, 1.0f));
    EXPECT_EQ(ofColour(drawn, 1.0f, 0.95f, 0.55f), text(342.9f, 70, "SHOT:3  PWR:1  SPR:ON", 1.7f, 1.0f, 0.95f, 0.55f));
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
        const std::vector<Primitive> drawn = recordPrimitives([&] { drawHud(900, c.health, 0, 1, 1, 1, 1, false); });
        EXPECT_EQ(ofColour(drawn, 0.0f, 0.85f, 0.2f),
                  std::vector<Primitive>{rect(120, 17, c.fillWidth, 20, 0.0f, 0.85f, 0.2f)});
    }
}
