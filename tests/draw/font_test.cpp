// The bitmap font, checked cell by cell against the glyphs as they were designed.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "draw/font.hpp"
#include "support/gl_double.hpp"

using namespace gldouble;

namespace {
using Rows = std::vector<std::string>;

// Kept apart from the font's own table on purpose: the two are compared by rendering.
const std::map<char, Rows> kDesignedGlyphs = {
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

const Rows kBlankGlyph(7, ".....");

const Rows& designedGlyph(char c)
{
    const auto found = kDesignedGlyphs.find(c);
    return found == kDesignedGlyphs.end() ? kBlankGlyph : found->second;
}

// The rendered cells of a text: each glyph followed by its empty sixth column.
Rows designedCells(const std::string& text)
{
    Rows rows(7);
    for (const char c : text)
        for (int j = 0; j < 7; ++j)
            rows[j] += designedGlyph(c)[j] + ".";
    return rows;
}

long countCalls(const std::vector<Call>& calls, const std::string& name)
{
    return std::count_if(calls.begin(), calls.end(), [&](const Call& call) { return call.name == name; });
}
}  // namespace

TEST(Font, EveryByteRendersItsDesignedGlyphOrNothing)
{
    ASSERT_EQ(kDesignedGlyphs.size(), 35u);
    for (int code = 0; code < 256; ++code) {
        const std::string one(1, static_cast<char>(code));
        SCOPED_TRACE("byte " + std::to_string(code));
        const std::vector<Primitive> quads = recordPrimitives([&] { drawText(3, 5, one, 2, {1, 1, 1}); });
        EXPECT_EQ(litCells(quads, 3, 5, 2, 1), designedCells(one));
        for (int row = 0; row < 7; ++row)
            EXPECT_EQ(std::string(glyphRow(one[0], row)), designedGlyph(one[0])[row]);
    }
}

TEST(Font, CharactersAdvanceSixCellsAndBlanksStillTakeTheirPlace)
{
    for (const std::string text : {"A B", "SCORE:", "Sabcd", "JQXZ"}) {
        SCOPED_TRACE(text);
        const std::vector<Primitive> quads = recordPrimitives([&] { drawText(10, 20, text, 1.7f, {1, 1, 1}); });
        EXPECT_EQ(litCells(quads, 10, 20, 1.7f, static_cast<int>(text.size())), designedCells(text));
    }
    EXPECT_FLOAT_EQ(textWidth("SCORE:", 2), 72);
    EXPECT_FLOAT_EQ(textWidth("Sabcd", 1.5f), 45);
    EXPECT_FLOAT_EQ(textWidth("JQXZ", 3), 72);
    EXPECT_FLOAT_EQ(textWidth("", 3), 0);
}

TEST(Font, EachLitCellSetsItsOwnColour)
{
    // The 8 has 17 lit cells.
    const std::vector<Call> opaque = recordCalls([] { drawText(0, 0, "8", 1, {0.2f, 0.4f, 0.6f}); });
    EXPECT_EQ(countCalls(opaque, "glBegin"), 17);
    EXPECT_EQ(countCalls(opaque, "glColor3f"), 17);
    EXPECT_EQ(countCalls(opaque, "glColor4f"), 0);
    EXPECT_EQ(opaque.front(), (Call{"glColor3f", {0.2f, 0.4f, 0.6f}}));

    const std::vector<Call> blended = recordCalls([] { drawTextAlpha(0, 0, "8", 1, {0.2f, 0.4f, 0.6f}, 0.3f); });
    EXPECT_EQ(countCalls(blended, "glColor4f"), 17);
    EXPECT_EQ(countCalls(blended, "glColor3f"), 0);
    EXPECT_EQ(blended.front(), (Call{"glColor4f", {0.2f, 0.4f, 0.6f, 0.3f}}));
}

TEST(Font, EmptyTextIssuesNoCallAtAll)
{
    EXPECT_TRUE(recordCalls([] { drawText(5, 5, "", 2, {1, 1, 1}); }).empty());
    EXPECT_TRUE(recordCalls([] { drawTextAlpha(5, 5, "", 2, {1, 1, 1}, 0.5f); }).empty());
}
