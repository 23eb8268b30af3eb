// The per-frame view: pixels for the viewport, the fixed logical space for the projection.
#include <gtest/gtest.h>

#include <SDL3/SDL.h>

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

TEST(View, WithoutAWindowTheOpeningSizeStands)
{
    EXPECT_EQ(recordCalls([] { beginFrame(nullptr); }), viewCalls(900, 700));
}

TEST(View, AStretchedWindowGetsTheWholeViewportAndTheSameLogicalSpace)
{
    SDL_SetHint(SDL_HINT_VIDEO_DRIVER, "dummy");
    ASSERT_TRUE(SDL_Init(SDL_INIT_VIDEO)) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("view test", 1800, 350, 0);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    int widthPixels = 0;
    int heightPixels = 0;
    ASSERT_TRUE(SDL_GetWindowSizeInPixels(window, &widthPixels, &heightPixels));

    EXPECT_EQ(recordCalls([window] { beginFrame(window); }), viewCalls(widthPixels, heightPixels));
    EXPECT_EQ(widthPixels, 1800);

    SDL_DestroyWindow(window);
    SDL_Quit();
}
