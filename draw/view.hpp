// The per-frame view: the whole window shows the fixed 900 x 700 logical space.
#pragma once

struct SDL_Window;

// Everything is drawn in this space, stretched over the whole window.
inline constexpr float kLogicalWidth = 900.0f;
inline constexpr float kLogicalHeight = 700.0f;

// Viewport over the whole window, the logical projection with y downward, and a black clear.
void beginFrame(SDL_Window* window);

// Alpha blending for translucent drawing: on just around it, off for everything else.
void setBlending(bool on);
