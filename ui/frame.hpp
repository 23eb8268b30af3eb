// One whole frame, back to front.
#pragma once

struct GameState;

// The drawable's size in pixels, not in screen units: on a high-density display the picture
// must cover every pixel.
void drawFrame(const GameState& state, int pixelWidth, int pixelHeight);
