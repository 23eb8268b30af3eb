// The per-frame view: pixels for the viewport, the fixed logical space for the projection.
#include <gtest/gtest.h>

#include "draw/view.hpp"
#include "support/gl_double.hpp"

using namespace gldouble;

namespace {
std::vector<Call> viewCalls(int widthPixels, int heightPixels)
{
    return {
        {"glViewport", {0, 0, static_cast<double>(widthPixels), static_cast<double>(heightPixels)}},
        {"glMatrixMode", {GL_PROJECTION}},
        {"glLoadIdentity", {}},
        {"glOrtho", {0, 900, 700, 0, -1, 1}},
        {"glMatrixMode", {GL_MODELVIEW}},
        {"glLoadIdentity", {}},
        {"glClearColor", {0, 0, 0, 1}},
        {"glClear", {GL_COLOR_BUFFER_BIT}},
    };
}
}  // namespace

TEST(View, EveryDrawableSizeGetsTheWholeViewportAndTheSameLogicalSpace)
{
    // The opening size, a stretched window and a high-density one.
    for (const auto& [widthPixels, heightPixels] : {std::pair{900, 700}, {1800, 350}, {1800, 1400}})
        EXPECT_EQ(recordCalls([&] { beginFrame(widthPixels, heightPixels); }), viewCalls(widthPixels, heightPixels))
            << widthPixels << " x " << heightPixels;
}
