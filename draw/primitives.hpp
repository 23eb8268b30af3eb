// The shape primitives every drawing is made of; each sets its own colour and its own
// begin/end, so any drawing function stands alone.
#pragma once

void fillRect(float x, float y, float w, float h, float r, float g, float b);

// The same quad with an alpha; it shows only while the caller has blending on.
void fillRectAlpha(float x, float y, float w, float h, float r, float g, float b, float a);

// A closed border two device pixels wide, however the window is stretched.
void outlineRect(float x, float y, float w, float h, float r, float g, float b);

// A 40-segment triangle fan.
void fillDisc(float cx, float cy, float radius, float r, float g, float b);
