// The built-in 5 x 7 bitmap font and its text drawers.
#include "draw/font.hpp"

#include <array>

#include "draw/primitives.hpp"

namespace {
constexpr int kGlyphRows = 7;
constexpr int kGlyphColumns = 5;
// Five glyph columns and one empty one between neighbouring characters.
constexpr float kCellsPerAdvance = 6.0f;

using GlyphRows = std::array<const char*, kGlyphRows>;

struct Glyph {
    char character;
    GlyphRows rows;
};

// Row 0 at the top, column 0 at the left; '#' lit, '.' unlit.
constexpr Glyph kGlyphs[] = {
    {'+', {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}},
    {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', {"#...#", "#...#", "#...#", "#####", "....#", "....#", "....#"}},
    {'5', {"#####", "#....", "#....", "####.", "....#", "....#", "####."}},
    {'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
    {':', {".....", "..#..", "..#..", ".....", "..#..", "..#..", "....."}},
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {"#####", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".####", "#....", "#....", "#.###", "#...#", "#...#", ".###."}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#...#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {"#####", "#....", "#....", "#####", "....#", "....#", "#####"}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#...#", "#.#.#", "##.##", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
};

constexpr GlyphRows kBlankGlyph = {".....", ".....", ".....", ".....", ".....", ".....", "....."};

// Space to 'Y': nothing outside this range has a glyph.
constexpr signed char kFirstGlyphCode = 32;
constexpr signed char kLastGlyphCode = 89;

using GlyphIndex = std::array<const GlyphRows*, kLastGlyphCode - kFirstGlyphCode + 1>;

// Every code of the range points at its glyph, or at the blank one when it has none.
constexpr GlyphIndex indexGlyphs()
{
    GlyphIndex index{};
    index.fill(&kBlankGlyph);
    for (const Glyph& glyph : kGlyphs)
        index[glyph.character - kFirstGlyphCode] = &glyph.rows;
    return index;
}

constexpr GlyphIndex kGlyphIndex = indexGlyphs();

const GlyphRows& glyphFor(char c)
{
    // Signed on purpose: bytes 128 to 255 come out negative and fall below the range.
    const signed char code = static_cast<signed char>(c);
    if (code < kFirstGlyphCode || code > kLastGlyphCode)
        return kBlankGlyph;
    return *kGlyphIndex[code - kFirstGlyphCode];
}
}  // namespace

const char* glyphRow(char c, int row)
{
    return glyphFor(c)[row];
}

namespace {
// Calls fillCell(x, y, side) for every lit cell of the text.
template <typename FillCell>
void forEachLitCell(float x, float y, std::string_view text, float scale, FillCell fillCell)
{
    const float advance = scale * kCellsPerAdvance;
    float pen = x;
    for (const char c : text) {
        const GlyphRows& rows = glyphFor(c);
        for (int j = 0; j < kGlyphRows; ++j)
            for (int k = 0; k < kGlyphColumns; ++k)
                if (rows[j][k] == '#')
                    fillCell(pen + static_cast<float>(k) * scale, y + static_cast<float>(j) * scale, scale);
        pen += advance;
    }
}
}  // namespace

void drawText(float x, float y, std::string_view text, float scale, Colour colour)
{
    forEachLitCell(x, y, text, scale, [&](float cellX, float cellY, float side) { fillRect(cellX, cellY, side, side, colour); });
}

void drawTextAlpha(float x, float y, std::string_view text, float scale, Colour colour, float alpha)
{
    forEachLitCell(x, y, text, scale,
                   [&](float cellX, float cellY, float side) { fillRectAlpha(cellX, cellY, side, side, colour, alpha); });
}

float textWidth(std::string_view text, float scale)
{
    return static_cast<float>(text.size()) * kCellsPerAdvance * scale;
}

float centredTextX(float centreX, std::string_view text, float scale)
{
    return centreX - textWidth(text, scale) * 0.5f;
}
