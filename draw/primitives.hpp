// The shape primitives every drawing is made of; each sets its own colour and its own
// begin/end, so any drawing function stands alone. Nothing else calls GL's begin/end.
#pragma once

#include <span>

#include "draw/colour.hpp"

void fillRect(float x, float y, float w, float h, Colour colour);

// The same quad with an alpha; it shows only while the caller has blending on.
void fillRectAlpha(float x, float y, float w, float h, Colour colour, float alpha);

// A closed border two device pixels wide, however the window is stretched.
void outlineRect(float x, float y, float w, float h, Colour colour);

// A 40-segment triangle fan.
void fillDisc(float cx, float cy, float radius, Colour colour);

struct LineSegment {
    float x1;
    float y1;
    float x2;
    float y2;
};

// Separate segments in one line list, widthPixels device pixels wide.
void drawLines(std::span<const LineSegment> segments, float widthPixels, Colour colour);
