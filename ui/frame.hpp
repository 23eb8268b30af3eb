// One whole frame, back to front.
#pragma once

struct GameState;
struct SDL_Window;

void drawFrame(SDL_Window* window, const GameState& state);
