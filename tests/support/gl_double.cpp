// A recording stand-in for the GL entry points the drawing code calls, linked in place of libGL.
#include "support/gl_double.hpp"

#include <GL/gl.h>

#include <cmath>
#include <initializer_list>
#include <numbers>

#include "draw/font.hpp"

namespace gldouble {
namespace {
std::vector<Call> recorded;

void record(const char* name, std::initializer_list<double> args)
{
    recorded.push_back({name, args});
}

constexpr float kTolerance = 1e-3f;

bool near(float a, float b)
{
    return std::fabs(a - b) <= kTolerance;
}

bool isLineMode(GLenum mode)
{
    return mode == GL_LINES || mode == GL_LINE_LOOP || mode == GL_LINE_STRIP;
}
}  // namespace

bool operator==(const Call& a, const Call& b)
{
    return a.name == b.name && a.args == b.args;
}

void PrintTo(const Call& call, std::ostream* out)
{
    *out << call.name << "(";
    for (std::size_t i = 0; i < call.args.size(); ++i)
        *out << (i ? ", " : "") << call.args[i];
    *out << ")";
}

void clearCalls()
{
    recorded.clear();
}

const std::vector<Call>& calls()
{
    return recorded;
}

bool operator==(const Primitive& a, const Primitive& b)
{
    if (a.mode != b.mode || a.vertices.size() != b.vertices.size())
        return false;
    if (!near(a.colour.r, b.colour.r) || !near(a.colour.g, b.colour.g) || !near(a.colour.b, b.colour.b) ||
        !near(a.colour.a, b.colour.a))
        return false;
    if (isLineMode(a.mode) && a.lineWidth != b.lineWidth)
        return false;
    for (std::size_t i = 0; i < a.vertices.size(); ++i)
        if (!near(a.vertices[i].x, b.vertices[i].x) || !near(a.vertices[i].y, b.vertices[i].y))
            return false;
    return true;
}

void PrintTo(const Primitive& primitive, std::ostream* out)
{
    *out << "mode " << primitive.mode << " colour (" << primitive.colour.r << ", " << primitive.colour.g << ", "
         << primitive.colour.b << ", " << primitive.colour.a << ") width " << primitive.lineWidth << " [";
    for (const Vertex& v : primitive.vertices)
        *out << " (" << v.x << ", " << v.y << ")";
    *out << " ]";
}

std::vector<Primitive> primitives()
{
    std::vector<Primitive> result;
    Colour colour{1.0f, 1.0f, 1.0f, 1.0f};  // GL's initial state
    float lineWidth = 1.0f;
    bool open = false;
    for (const Call& call : recorded) {
        const auto arg = [&call](std::size_t i) { return static_cast<float>(call.args[i]); };
        if (call.name == "glColor3f")
            colour = {arg(0), arg(1), arg(2), 1.0f};
        else if (call.name == "glColor4f")
            colour = {arg(0), arg(1), arg(2), arg(3)};
        else if (call.name == "glLineWidth")
            lineWidth = arg(0);
        else if (call.name == "glBegin")
            result.push_back({static_cast<GLenum>(call.args[0]), colour, lineWidth, {}});
        else if (call.name == "glVertex2f") {
            // A vertex outside glBegin/glEnd becomes a primitive of its own that no test expects.
            if (!open)
                result.push_back({GL_INVALID_ENUM, colour, lineWidth, {}});
            result.back().vertices.push_back({arg(0), arg(1)});
        }
        if (call.name == "glBegin" || call.name == "glEnd")
            open = call.name == "glBegin";
    }
    return result;
}

std::vector<Primitive> ofColour(const std::vector<Primitive>& drawn, float r, float g, float b)
{
    std::vector<Primitive> result;
    for (const Primitive& primitive : drawn)
        if (near(primitive.colour.r, r) && near(primitive.colour.g, g) && near(primitive.colour.b, b))
            result.push_back(primitive);
    return result;
}

std::vector<Primitive> recordPrimitives(const std::function<void()>& draw)
{
    clearCalls();
    draw();
    return primitives();
}

std::vector<Call> recordCalls(const std::function<void()>& draw)
{
    clearCalls();
    draw();
    return recorded;
}

namespace {
Primitive box(GLenum mode, float x, float y, float w, float h, float r, float g, float b, float lineWidth)
{
    return {mode, {r, g, b, 1.0f}, lineWidth, {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}};
}
}  // namespace

Primitive rect(float x, float y, float w, float h, float r, float g, float b)
{
    return box(GL_QUADS, x, y, w, h, r, g, b, 0.0f);
}

Primitive outline(float x, float y, float w, float h, float r, float g, float b)
{
    return box(GL_LINE_LOOP, x, y, w, h, r, g, b, 2.0f);
}

Primitive disc(float cx, float cy, float radius, float r, float g, float b)
{
    Primitive fan{GL_TRIANGLE_FAN, {r, g, b, 1.0f}, 0.0f, {{cx, cy}}};
    for (int i = 0; i <= 40; ++i) {
        const double angle = i * 2.0 * std::numbers::pi / 40.0;
        fan.vertices.push_back({cx + static_cast<float>(std::cos(angle) * radius),
                                cy + static_cast<float>(std::sin(angle) * radius)});
    }
    return fan;
}

std::vector<Primitive> text(float x, float y, std::string_view s, float scale, float r, float g, float b)
{
    return recordPrimitives([&] { drawText(x, y, s, scale, {r, g, b}); });
}

std::vector<Primitive> operator+(std::vector<Primitive> front, const std::vector<Primitive>& back)
{
    front.insert(front.end(), back.begin(), back.end());
    return front;
}

std::vector<std::string> litCells(const std::vector<Primitive>& quads, float x, float y, float scale, int characters)
{
    std::vector<std::string> rows(7, std::string(6 * characters, '.'));
    std::vector<std::string> strays;
    for (const Primitive& quad : quads) {
        const Vertex corner = quad.vertices.empty() ? Vertex{-1e9f, -1e9f} : quad.vertices[0];
        const long column = std::lround((corner.x - x) / scale);
        const long row = std::lround((corner.y - y) / scale);
        const float cellX = x + static_cast<float>(column) * scale;
        const float cellY = y + static_cast<float>(row) * scale;
        const bool onGrid = quad.mode == GL_QUADS && column >= 0 && column < 6 * characters && row >= 0 && row < 7 &&
                            quad == rect(cellX, cellY, scale, scale, quad.colour.r, quad.colour.g, quad.colour.b);
        if (onGrid && rows[row][column] == '.') {
            rows[row][column] = '#';
        } else {
            strays.push_back("stray quad at (" + std::to_string(corner.x) + ", " + std::to_string(corner.y) + ")");
        }
    }
    rows.insert(rows.end(), strays.begin(), strays.end());
    return rows;
}

}  // namespace gldouble

using gldouble::record;

extern "C" {

void glBegin(GLenum mode) { record("glBegin", {static_cast<double>(mode)}); }
void glEnd() { record("glEnd", {}); }
void glVertex2f(GLfloat x, GLfloat y) { record("glVertex2f", {x, y}); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { record("glColor3f", {r, g, b}); }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { record("glColor4f", {r, g, b, a}); }
void glLineWidth(GLfloat width) { record("glLineWidth", {width}); }
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    record("glViewport", {static_cast<double>(x), static_cast<double>(y), static_cast<double>(width),
                          static_cast<double>(height)});
}
void glMatrixMode(GLenum mode) { record("glMatrixMode", {static_cast<double>(mode)}); }
void glLoadIdentity() { record("glLoadIdentity", {}); }
void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal, GLdouble farVal)
{
    record("glOrtho", {left, right, bottom, top, nearVal, farVal});
}
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { record("glClearColor", {r, g, b, a}); }
void glClear(GLbitfield mask) { record("glClear", {static_cast<double>(mask)}); }
void glEnable(GLenum cap) { record("glEnable", {static_cast<double>(cap)}); }
void glDisable(GLenum cap) { record("glDisable", {static_cast<double>(cap)}); }
void glBlendFunc(GLenum sfactor, GLenum dfactor)
{
    record("glBlendFunc", {static_cast<double>(sfactor), static_cast<double>(dfactor)});
}

}  // extern "C"
