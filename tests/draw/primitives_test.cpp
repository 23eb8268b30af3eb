// The shape primitives: colour first, one begin/end each, corners in their fixed order.
#include <gtest/gtest.h>

#include <cmath>

#include "draw/primitives.hpp"
#include "support/gl_double.hpp"

using namespace gldouble;

TEST(Primitives, FillRectIsOneQuadWithItsColourSetFirst)
{
    const std::vector<Call> expected = {
        {"glColor3f", {0.1f, 0.2f, 0.3f}}, {"glBegin", {GL_QUADS}},
        {"glVertex2f", {10, 20}},          {"glVertex2f", {40, 20}},
        {"glVertex2f", {40, 60}},          {"glVertex2f", {10, 60}},
        {"glEnd", {}},
    };
    EXPECT_EQ(recordCalls([] { fillRect(10, 20, 30, 40, {0.1f, 0.2f, 0.3f}); }), expected);
}

TEST(Primitives, OutlineRectIsALoopTwoPixelsWideOverTheSameCorners)
{
    const std::vector<Call> expected = {
        {"glColor3f", {0.5f, 0.6f, 0.7f}}, {"glLineWidth", {2}}, {"glBegin", {GL_LINE_LOOP}},
        {"glVertex2f", {10, 20}},          {"glVertex2f", {40, 20}},
        {"glVertex2f", {40, 60}},          {"glVertex2f", {10, 60}},
        {"glEnd", {}},
    };
    EXPECT_EQ(recordCalls([] { outlineRect(10, 20, 30, 40, {0.5f, 0.6f, 0.7f}); }), expected);
}

TEST(Primitives, FillDiscIsAFanOfCentreAndFortyOneRimPoints)
{
    const std::vector<Primitive> drawn = recordPrimitives([] { fillDisc(100, 200, 8, {0.2f, 0.4f, 0.6f}); });
    ASSERT_EQ(drawn.size(), 1u);
    const Primitive& fan = drawn[0];
    EXPECT_EQ(fan.mode, static_cast<GLenum>(GL_TRIANGLE_FAN));
    EXPECT_FLOAT_EQ(fan.colour.b, 0.6f);
    ASSERT_EQ(fan.vertices.size(), 42u);
    EXPECT_EQ(fan.vertices[0].x, 100.0f);
    EXPECT_EQ(fan.vertices[0].y, 200.0f);
    // i = 0 starts at angle 0 on the right; a quarter turn on (i = 10) is below the centre, y downward.
    EXPECT_NEAR(fan.vertices[1].x, 108.0f, 1e-4);
    EXPECT_NEAR(fan.vertices[1].y, 200.0f, 1e-4);
    EXPECT_NEAR(fan.vertices[11].x, 100.0f, 1e-4);
    EXPECT_NEAR(fan.vertices[11].y, 208.0f, 1e-4);
    EXPECT_NEAR(fan.vertices[41].x, fan.vertices[1].x, 1e-4);
    EXPECT_NEAR(fan.vertices[41].y, fan.vertices[1].y, 1e-4);
    for (std::size_t i = 1; i < fan.vertices.size(); ++i)
        EXPECT_NEAR(std::hypot(fan.vertices[i].x - 100.0f, fan.vertices[i].y - 200.0f), 8.0f, 1e-4) << i;
}
