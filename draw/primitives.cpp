// The shape primitives every drawing is made of; each sets its own colour and its own
// begin/end, so any drawing function stands alone.
#include "draw/primitives.hpp"

#include <GL/gl.h>

#include <cmath>

#include "draw/view.hpp"

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

#ifdef __EMSCRIPTEN__
// WebGL draws every line one pixel wide, whatever width is asked for, so in the browser a wide
// line is the quad that desktop GL fills for it: the segment spread by half the width to either
// side across its major axis, in device pixels.
namespace {

struct PixelSize {
    float x;
    float y;
};

// Logical units per device pixel in the viewport the frame was begun with.
PixelSize logicalPixelSize()
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return {kLogicalWidth / static_cast<float>(viewport[2]), kLogicalHeight / static_cast<float>(viewport[3])};
}

void emitWideLine(const LineSegment& segment, float widthPixels, PixelSize pixel)
{
    const bool mostlyAcross =
        std::fabs((segment.x2 - segment.x1) / pixel.x) >= std::fabs((segment.y2 - segment.y1) / pixel.y);
    const float halfWidth = widthPixels * 0.5f;
    const float dx = mostlyAcross ? 0.0f : halfWidth * pixel.x;
    const float dy = mostlyAcross ? halfWidth * pixel.y : 0.0f;
    glVertex2f(segment.x1 - dx, segment.y1 - dy);
    glVertex2f(segment.x2 - dx, segment.y2 - dy);
    glVertex2f(segment.x2 + dx, segment.y2 + dy);
    glVertex2f(segment.x1 + dx, segment.y1 + dy);
}

}  // namespace

void outlineRect(float x, float y, float w, float h, Colour colour)
{
    const LineSegment edges[] = {
        {x, y, x + w, y}, {x + w, y, x + w, y + h}, {x + w, y + h, x, y + h}, {x, y + h, x, y}};
    drawLines(edges, kOutlineWidthPixels, colour);
}

void drawLines(std::span<const LineSegment> segments, float widthPixels, Colour colour)
{
    const PixelSize pixel = logicalPixelSize();
    glColor3f(colour.r, colour.g, colour.b);
    glBegin(GL_QUADS);
    for (const LineSegment& segment : segments)
        emitWideLine(segment, widthPixels, pixel);
    glEnd();
}
#else
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
#endif
