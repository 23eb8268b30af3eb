// The per-frame view: the whole window shows the fixed 900 x 700 logical space.
#pragma once

// Everything is drawn in this space, stretched over the whole window.
inline constexpr float kLogicalWidth = 900.0f;
inline constexpr float kLogicalHeight = 700.0f;

// Viewport over the whole drawable, given in pixels, the logical projection with y downward,
// and a black clear.
void beginFrame(int widthPixels, int heightPixels);

// Alpha blending for translucent drawing: on just around it, off for everything else.
void setBlending(bool on);
