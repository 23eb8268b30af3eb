// One pass of the game, written once: the main loop and the replay tool both run it.
#pragma once

#include <string>

struct GameState;

// Held controls as plain values; the platform layer decides which keys count.
struct HeldKeys {
    bool left = false;
    bool right = false;
    bool fire = false;
};

struct PassInput {
    float dt = 0.0f;    // already capped
    int restarts = 0;   // R presses handled in this pass's events
    HeldKeys held;
};

// A long pass advances the game by at most 50 ms: the game slows down rather than jump.
float capFrameTime(float seconds);

// The rules of one pass while the game runs, in their fixed order.
void updateGame(GameState& state, float dt, const HeldKeys& held);

// Restarts, message ageing, the update unless the game is over; returns the window title.
std::string runPass(GameState& state, const PassInput& input);
