// A recording stand-in for the GL entry points the drawing code calls. Every call is kept
// with its arguments, in order, so a test reads back exactly what was drawn.
#pragma once

#include <GL/gl.h>

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace gldouble {

struct Call {
    std::string name;          // "glBegin", "glVertex2f", ...
    std::vector<double> args;  // floats, integers and enums all widen to double exactly
};

bool operator==(const Call& a, const Call& b);
void PrintTo(const Call& call, std::ostream* out);

void clearCalls();
const std::vector<Call>& calls();

struct Vertex {
    float x;
    float y;
};

struct Colour {
    float r;
    float g;
    float b;
    float a;
};

// One glBegin/glEnd pair with the colour and line width in force at its glBegin.
struct Primitive {
    GLenum mode;
    Colour colour;
    float lineWidth;
    std::vector<Vertex> vertices;
};

// Coordinates and colours within 1e-3; line width only for line primitives.
bool operator==(const Primitive& a, const Primitive& b);
void PrintTo(const Primitive& primitive, std::ostream* out);

std::vector<Primitive> primitives();
std::vector<Primitive> ofColour(const std::vector<Primitive>& drawn, float r, float g, float b);

// Clears the record, runs draw, and returns what it drew.
std::vector<Primitive> recordPrimitives(const std::function<void()>& draw);
std::vector<Call> recordCalls(const std::function<void()>& draw);

// The primitives as fillRect, outlineRect and fillDisc draw them, to state what a test expects.
Primitive rect(float x, float y, float w, float h, float r, float g, float b);
Primitive outline(float x, float y, float w, float h, float r, float g, float b);
Primitive disc(float cx, float cy, float radius, float r, float g, float b);

// What drawText draws for this text: the font's own tests check its glyphs cell by cell,
// so other tests can state "this text, here, in this colour" with it.
std::vector<Primitive> text(float x, float y, std::string_view s, float scale, float r, float g, float b);

std::vector<Primitive> operator+(std::vector<Primitive> front, const std::vector<Primitive>& back);

// Seven rows of text drawn at (x, y), six cells per character, '#' where a quad of side scale
// covers the cell. A quad off the grid or drawn twice is reported as an extra line.
std::vector<std::string> litCells(const std::vector<Primitive>& quads, float x, float y, float scale, int characters);

}  // namespace gldouble
