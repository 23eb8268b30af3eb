// The fixed-function GL the drawing kit calls, for the browser, which has only WebGL: each
// begin/end primitive becomes triangles appended to the frame's one vertex list, and the
// state changes between them are kept in order, so the swap draws the whole frame with a
// handful of WebGL calls (web/gl/webgl_output.cpp). Only what the drawing uses is here:
// quads, line loops, lines and triangle fans; the two matrices with identity and
// orthographic projection; colours; line width; blending; viewport and clear.
#include <GL/gl.h>

#include <array>
#include <cmath>
#include <vector>

#include "web/gl/frame_list.hpp"

namespace {

// Column-major, as GL keeps its matrices.
using Matrix = std::array<float, 16>;

constexpr Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

Matrix multiplied(const Matrix& a, const Matrix& b)
{
    Matrix product{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                product[column * 4 + row] += a[k * 4 + row] * b[column * 4 + k];
    return product;
}

struct Colour {
    float r;
    float g;
    float b;
    float a;
};

struct Corner {
    float x;
    float y;
    Colour colour;
};

struct LayerState {
    Matrix projection = kIdentity;
    Matrix modelView = kIdentity;
    Matrix transform = kIdentity;  // projection times model-view, kept for every vertex
    GLenum matrixMode = GL_MODELVIEW;
    Colour colour{1.0f, 1.0f, 1.0f, 1.0f};
    Colour clearColour{0.0f, 0.0f, 0.0f, 0.0f};
    float lineWidthPixels = 1.0f;
    bool blending = false;
    GLenum blendSource = GL_ONE;
    GLenum blendDestination = GL_ZERO;
    SetViewport viewport{0, 0, 0, 0};
    GLenum primitive = GL_QUADS;
    std::vector<Corner> corners;  // of the primitive being built, in clip space
};

LayerState layer;
FrameList frame;

Matrix& currentMatrix()
{
    return layer.matrixMode == GL_PROJECTION ? layer.projection : layer.modelView;
}

void setCurrentMatrix(const Matrix& matrix)
{
    currentMatrix() = matrix;
    layer.transform = multiplied(layer.projection, layer.modelView);
}

constexpr float kSteps = 255.0f;  // of an 8-bit colour channel

// Halves to even, as Mesa converts: an alpha of 0.3 is 76, not 77.
int eightBit(float value)
{
    return static_cast<int>(std::nearbyint(std::fmin(std::fmax(value, 0.0f), 1.0f) * kSteps));
}

// x * y / 255 in 8-bit steps as desktop Mesa works it out: rounded to the nearest, except
// that a product above 128 whose fraction is 128/255 rounds down.
int mesaProduct(int x, int y)
{
    const int t = x * y;
    return (t + (t >> 8) + 128) >> 8;
}

bool blendsOver()
{
    return layer.blending && layer.blendSource == GL_SRC_ALPHA && layer.blendDestination == GL_ONE_MINUS_SRC_ALPHA;
}

// Translucent colour over the 8-bit picture as desktop Mesa blends it, so the browser's
// frame is the desktop's: the colour arrives already weighted by its alpha in whole 8-bit
// steps, and WebGL adds the picture below weighted by one minus the alpha (see glBlendFunc).
// The alpha is raised by (255 - A) / (255 * 255 * 256), which takes just enough off the
// picture's weight to move Mesa's rounded-down halves below the half, and no other product
// anywhere near it.
Colour blendedOver(const Colour& colour)
{
    const int alpha = eightBit(colour.a);
    const auto weighted = [alpha](float channel) { return static_cast<float>(mesaProduct(eightBit(channel), alpha)) / kSteps; };
    const float nudge = static_cast<float>(255 - alpha) / (kSteps * kSteps * 256.0f);
    return {weighted(colour.r), weighted(colour.g), weighted(colour.b), static_cast<float>(alpha) / kSteps + nudge};
}

// Appends to the last run of triangles while nothing else happened in between.
void emit(const Corner& corner)
{
    if (frame.steps.empty() || !std::holds_alternative<DrawTriangles>(frame.steps.back()))
        frame.steps.emplace_back(DrawTriangles{frame.vertices.size(), 0});
    ++std::get<DrawTriangles>(frame.steps.back()).count;
    const Colour c = blendsOver() ? blendedOver(corner.colour) : corner.colour;
    frame.vertices.push_back({corner.x, corner.y, c.r, c.g, c.b, c.a});
}

void emitTriangle(const Corner& a, const Corner& b, const Corner& c)
{
    emit(a);
    emit(b);
    emit(c);
}

// Desktop Mesa draws a wide line as a quad: the segment spread by half the width, in device
// pixels, to either side across its major axis (WebGL draws every line one pixel wide).
void emitWideLine(const Corner& from, const Corner& to)
{
    const float pixelsPerClipX = static_cast<float>(layer.viewport.width) * 0.5f;
    const float pixelsPerClipY = static_cast<float>(layer.viewport.height) * 0.5f;
    const bool mostlyAcross =
        std::fabs((to.x - from.x) * pixelsPerClipX) >= std::fabs((to.y - from.y) * pixelsPerClipY);
    const float halfWidthPixels = layer.lineWidthPixels * 0.5f;
    const float dx = mostlyAcross ? 0.0f : halfWidthPixels / pixelsPerClipX;
    const float dy = mostlyAcross ? halfWidthPixels / pixelsPerClipY : 0.0f;
    const Corner a{from.x - dx, from.y - dy, from.colour};
    const Corner b{to.x - dx, to.y - dy, to.colour};
    const Corner c{to.x + dx, to.y + dy, to.colour};
    const Corner d{from.x + dx, from.y + dy, from.colour};
    emitTriangle(a, b, c);
    emitTriangle(a, c, d);
}

void emitPrimitive(GLenum mode, const std::vector<Corner>& corners)
{
    const std::size_t n = corners.size();
    switch (mode) {
    case GL_QUADS:
        for (std::size_t i = 0; i + 3 < n; i += 4) {
            emitTriangle(corners[i], corners[i + 1], corners[i + 2]);
            emitTriangle(corners[i], corners[i + 2], corners[i + 3]);
        }
        break;
    case GL_TRIANGLE_FAN:
        for (std::size_t i = 1; i + 1 < n; ++i)
            emitTriangle(corners[0], corners[i], corners[i + 1]);
        break;
    case GL_LINES:
        for (std::size_t i = 0; i + 1 < n; i += 2)
            emitWideLine(corners[i], corners[i + 1]);
        break;
    case GL_LINE_LOOP:
        for (std::size_t i = 0; n >= 2 && i < n; ++i)
            emitWideLine(corners[i], corners[(i + 1) % n]);
        break;
    default:
        break;
    }
}

}  // namespace

FrameList& recordedFrame()
{
    return frame;
}

extern "C" {

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    layer.viewport = {x, y, width, height};
    frame.steps.emplace_back(layer.viewport);
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha)
{
    layer.clearColour = {red, green, blue, alpha};
}

void glClear(GLbitfield mask)
{
    const Colour& c = layer.clearColour;
    frame.steps.emplace_back(ClearColour{c.r, c.g, c.b, c.a, mask});
}

void glMatrixMode(GLenum mode)
{
    layer.matrixMode = mode;
}

void glLoadIdentity()
{
    setCurrentMatrix(kIdentity);
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal, GLdouble farVal)
{
    Matrix ortho = kIdentity;
    ortho[0] = static_cast<float>(2.0 / (right - left));
    ortho[5] = static_cast<float>(2.0 / (top - bottom));
    ortho[10] = static_cast<float>(-2.0 / (farVal - nearVal));
    ortho[12] = static_cast<float>(-(right + left) / (right - left));
    ortho[13] = static_cast<float>(-(top + bottom) / (top - bottom));
    ortho[14] = static_cast<float>(-(farVal + nearVal) / (farVal - nearVal));
    setCurrentMatrix(multiplied(currentMatrix(), ortho));
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    layer.colour = {red, green, blue, 1.0f};
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha)
{
    layer.colour = {red, green, blue, alpha};
}

void glLineWidth(GLfloat width)
{
    layer.lineWidthPixels = width;
}

void glEnable(GLenum cap)
{
    if (cap != GL_BLEND)
        return;
    layer.blending = true;
    frame.steps.emplace_back(SetBlending{true});
}

void glDisable(GLenum cap)
{
    if (cap != GL_BLEND)
        return;
    layer.blending = false;
    frame.steps.emplace_back(SetBlending{false});
}

// Alpha over the picture arrives with its colour already weighted (blendedOver).
void glBlendFunc(GLenum sfactor, GLenum dfactor)
{
    layer.blendSource = sfactor;
    layer.blendDestination = dfactor;
    const bool over = sfactor == GL_SRC_ALPHA && dfactor == GL_ONE_MINUS_SRC_ALPHA;
    frame.steps.emplace_back(SetBlendFactors{over ? GL_ONE : sfactor, dfactor});
}

void glBegin(GLenum mode)
{
    layer.primitive = mode;
    layer.corners.clear();
}

// Into clip space now, with the matrices in force: they may change before the swap.
// Only orthographic projections are offered, so w stays 1.
void glVertex2f(GLfloat x, GLfloat y)
{
    const Matrix& transform = layer.transform;
    layer.corners.push_back({transform[0] * x + transform[4] * y + transform[12],
                             transform[1] * x + transform[5] * y + transform[13], layer.colour});
}

void glEnd()
{
    emitPrimitive(layer.primitive, layer.corners);
}

}  // extern "C"
