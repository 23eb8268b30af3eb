// The built-in 5 x 7 bitmap font and its text drawers.
#pragma once

#include <string_view>

#include "draw/colour.hpp"

// One row (0 to 6, top first) of a character's glyph: five characters, '#' lit, '.' unlit.
// Characters without a glyph, and every byte from 128 up, give the blank glyph.
const char* glyphRow(char c, int row);

// (x, y) is the top-left corner of the first character cell; each lit cell is a square of
// side scale, and each character advances the pen by 6 x scale.
void drawText(float x, float y, std::string_view text, float scale, Colour colour);
void drawTextAlpha(float x, float y, std::string_view text, float scale, Colour colour, float alpha);

// Bytes x 6 x scale: it counts the empty sixth column of the last character too.
float textWidth(std::string_view text, float scale);

// The x at which the text starts so that its width is centred on centreX.
float centredTextX(float centreX, std::string_view text, float scale);
