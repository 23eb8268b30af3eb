// How a health pack is drawn: bright with bar and count at the bottom, dim and bare above.
#include <gtest/gtest.h>

#include "game/health_column.hpp"
#include "ui/health_column_look.hpp"
#include "support/gl_double.hpp"

using namespace gldouble;

namespace {
HealthCrate packAt(float y, std::int32_t hits)
{
    return {{71, y, 48, 48, y, hits, 20}};
}
}  // namespace

TEST(HealthColumnLook, BottomPackShowsItsBarAndTheShotsStillNeeded)
{
    // 5 of 20 hits taken: three quarters of the bar left, caption "15" centred on x 95.
    const std::vector<Primitive> expected =
        std::vector<Primitive>{
            rect(71, 538, 48, 48, 0.82f, 0.05f, 0.05f),
            rect(91, 547, 8, 30, 1, 1, 1),
            rect(80, 558, 30, 8, 1, 1, 1),
            outline(71, 538, 48, 48, 1.0f, 0.95f, 0.95f),
            rect(71, 591, 48, 5, 0.18f, 0.02f, 0.02f),
            rect(71, 591, 36, 5, 0.0f, 0.9f, 0.1f),
        } +
        text(87.2f, 599, "15", 1.3f, 0.95f, 0.95f, 0.95f);
    EXPECT_EQ(recordPrimitives([] { drawHealthCrate(packAt(538, 5), true); }), expected);
}

TEST(HealthColumnLook, UpperPackIsDimmedWithADarkFrameAndNoBar)
{
    const std::vector<Primitive> expected = {
        rect(71, 460, 48, 48, 0.82f * 0.58f, 0.05f * 0.58f, 0.05f * 0.58f),
        rect(91, 469, 8, 30, 0.58f, 0.58f, 0.58f),
        rect(80, 480, 30, 8, 0.58f, 0.58f, 0.58f),
        outline(71, 460, 48, 48, 0.45f, 0.18f, 0.18f),
    };
    EXPECT_EQ(recordPrimitives([] { drawHealthCrate(packAt(460, 0), false); }), expected);
}
