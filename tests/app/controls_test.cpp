// The keyboard: which held keys count for what, and the commands of one batch of events.
#include <gtest/gtest.h>

#include <SDL3/SDL.h>

#include <array>
#include <initializer_list>

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

SDL_Event keyDown(SDL_Keycode key)
{
    SDL_Event event{};
    event.type = SDL_EVENT_KEY_DOWN;
    event.key.key = key;
    return event;
}

SDL_Event quitRequest()
{
    SDL_Event event{};
    event.type = SDL_EVENT_QUIT;
    return event;
}

// The events SDL delivers between two passes, handled in order; the R presses among them.
int handleAll(std::initializer_list<SDL_Event> events, ShellFlags& shell)
{
    int restarts = 0;
    for (const SDL_Event& event : events)
        restarts += handleEvent(event, nullptr, shell);
    return restarts;
}

}  // namespace

TEST(Events, EveryRCountsAlsoAfterAQuit)
{
    ShellFlags shell;
    // P is not a command; an R after ESC still restarts.
    EXPECT_EQ(handleAll({keyDown(SDLK_R), keyDown(SDLK_P), keyDown(SDLK_R), keyDown(SDLK_ESCAPE), keyDown(SDLK_R)}, shell),
              3);
    EXPECT_FALSE(shell.running);
    EXPECT_FALSE(shell.fullscreen);
}

TEST(Events, CloseRequestEndsTheLoopAndEachF11TogglesTheFlag)
{
    ShellFlags shell;
    EXPECT_EQ(handleAll({keyDown(SDLK_F11), quitRequest(), keyDown(SDLK_F11), keyDown(SDLK_F11)}, shell), 0);
    EXPECT_FALSE(shell.running);
    EXPECT_TRUE(shell.fullscreen) << "three toggles";
}
