// The per-frame view: the whole window shows the fixed 900 x 700 logical space.
#pragma once

struct SDL_Window;

// Viewport over the whole window, the logical projection with y downward, and a black clear.
void beginFrame(SDL_Window* window);
