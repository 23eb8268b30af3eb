// The shape primitives every drawing is made of; each sets its own colour and its own
// begin/end, so any drawing function stands alone.
#include "draw/primitives.hpp"

#include <GL/gl.h>

#include <cmath>

namespace {
// Shared by the fill and the outline so a border lies exactly on its box.
void emitCorners(float x, float y, float w, float h)
{
    glVertex2f(x, y);
    glVertex2f(x + w, y);
    glVertex2f(x + w, y + h);
    glVertex2f(x, y + h);
}
}  // namespace

void fillRect(float x, float y, float w, float h, Colour colour)
{
    glColor3f(colour.r, colour.g, colour.b);
    glBegin(GL_QUADS);
    emitCorners(x, y, w, h);
    glEnd();
}

void fillRectAlpha(float x, float y, float w, float h, Colour colour, float alpha)
{
    glColor4f(colour.r, colour.g, colour.b, alpha);
    glBegin(GL_QUADS);
    emitCorners(x, y, w, h);
    glEnd();
}

namespace {
constexpr int kDiscSegments = 40;
constexpr float kFullTurnRadians = 6.2831855f;
}  // namespace

void fillDisc(float cx, float cy, float radius, Colour colour)
{
    glColor3f(colour.r, colour.g, colour.b);
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(cx, cy);
    // The rim runs to i = 40 so the last point repeats the first and closes the fan.
    for (int i = 0; i <= kDiscSegments; ++i) {
        const float angle = static_cast<float>(i) / static_cast<float>(kDiscSegments) * kFullTurnRadians;
        glVertex2f(cx + std::cos(angle) * radius, cy + std::sin(angle) * radius);
    }
    glEnd();
}

namespace {
// Device pixels, not logical units: a stretched window keeps its outlines thin.
constexpr float kOutlineWidthPixels = 2.0f;
}

void outlineRect(float x, float y, float w, float h, Colour colour)
{
    glColor3f(colour.r, colour.g, colour.b);
    glLineWidth(kOutlineWidthPixels);
    glBegin(GL_LINE_LOOP);
    emitCorners(x, y, w, h);
    glEnd();
}

void drawLines(std::span<const LineSegment> segments, float widthPixels, Colour colour)
{
    glColor3f(colour.r, colour.g, colour.b);
    glLineWidth(widthPixels);
    glBegin(GL_LINES);
    for (const LineSegment& segment : segments) {
        glVertex2f(segment.x1, segment.y1);
        glVertex2f(segment.x2, segment.y2);
    }
    glEnd();
}
