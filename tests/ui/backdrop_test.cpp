// The static backdrop: the HUD panel, then the columns, lane, dividers and floor in order.
#include <gtest/gtest.h>

#include "ui/backdrop.hpp"
#include "support/gl_double.hpp"

using namespace gldouble;

TEST(Backdrop, HudPanelThenItsRuleAlongTheBottomEdge)
{
    const std::vector<Primitive> expected = {
        rect(0, 0, 900, 88, 0.02f, 0.02f, 0.04f),
        rect(0, 84, 900, 4, 0.16f, 0.16f, 0.22f),
    };
    EXPECT_EQ(recordPrimitives(drawHudBackdrop), expected);
}

TEST(Backdrop, PlayfieldColumnsLaneDividersAndFloorInOrder)
{
    std::vector<Primitive> expected = {
        rect(50, 88, 90, 572, 0.08f, 0.02f, 0.02f),    outline(50, 88, 90, 572, 0.45f, 0.08f, 0.08f),
        rect(760, 88, 90, 572, 0.04f, 0.04f, 0.10f),   outline(760, 88, 90, 572, 0.10f, 0.20f, 0.65f),
        rect(150, 88, 600, 572, 0.01f, 0.01f, 0.015f), outline(150, 88, 600, 572, 0.18f, 0.18f, 0.25f),
    };
    for (float x : {250.0f, 350.0f, 450.0f, 550.0f, 650.0f})
        expected.push_back(rect(x, 88, 1, 572, 0.04f, 0.04f, 0.055f));
    expected.push_back(rect(150, 660, 600, 6, 0.22f, 0.22f, 0.25f));
    EXPECT_EQ(recordPrimitives(drawPlayfield), expected);
}
