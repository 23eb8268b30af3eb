// The keyboard: which held keys count for what, and the commands of one batch of events.
#include <gtest/gtest.h>

#include <SDL3/SDL.h>

#include <array>

#include "app/controls.hpp"

TEST(Controls, EachKeyAloneHoldsOnlyItsControl)
{
    // Every scancode, one at a time: only these eight count, each for one control.
    for (int code = 0; code < SDL_SCANCODE_COUNT; ++code) {
        SCOPED_TRACE(SDL_GetScancodeName(static_cast<SDL_Scancode>(code)));
        std::array<bool, SDL_SCANCODE_COUNT> keys{};
        keys[code] = true;
        const HeldKeys held = readHeldKeys(keys.data());
        EXPECT_EQ(held.left, code == SDL_SCANCODE_LEFT || code == SDL_SCANCODE_A);
        EXPECT_EQ(held.right, code == SDL_SCANCODE_RIGHT || code == SDL_SCANCODE_D);
        EXPECT_EQ(held.fire, code == SDL_SCANCODE_SPACE || code == SDL_SCANCODE_UP || code == SDL_SCANCODE_W ||
                                 code == SDL_SCANCODE_LCTRL || code == SDL_SCANCODE_RCTRL);
    }
}

namespace {
class EventDrain : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SDL_Init(SDL_INIT_EVENTS)) << SDL_GetError(); }
    void TearDown() override { SDL_Quit(); }

    static void pushKey(SDL_Keycode key)
    {
        SDL_Event event{};
        event.type = SDL_EVENT_KEY_DOWN;
        event.key.key = key;
        ASSERT_TRUE(SDL_PushEvent(&event));
    }
    static void pushQuit()
    {
        SDL_Event event{};
        event.type = SDL_EVENT_QUIT;
        ASSERT_TRUE(SDL_PushEvent(&event));
    }
};
}  // namespace

TEST_F(EventDrain, EveryRInTheBatchCountsAndTheBatchIsDrainedPastAQuit)
{
    pushKey(SDLK_R);
    pushKey(SDLK_P);  // not a command
    pushKey(SDLK_R);
    pushKey(SDLK_ESCAPE);
    pushKey(SDLK_R);  // an R after ESC still restarts
    ShellFlags shell;
    EXPECT_EQ(drainEvents(nullptr, shell), 3);
    EXPECT_FALSE(shell.running);
    EXPECT_FALSE(shell.fullscreen);
    EXPECT_EQ(drainEvents(nullptr, shell), 0) << "the queue was drained";
}

TEST_F(EventDrain, CloseRequestEndsTheLoopAndEachF11TogglesTheFlag)
{
    pushKey(SDLK_F11);
    pushQuit();
    pushKey(SDLK_F11);
    pushKey(SDLK_F11);
    ShellFlags shell;
    EXPECT_EQ(drainEvents(nullptr, shell), 0);
    EXPECT_FALSE(shell.running);
    EXPECT_TRUE(shell.fullscreen) << "three toggles";
}
