// What the browser's GL layer keeps of a frame between the drawing's GL calls and the swap:
// every primitive turned into triangles in one vertex list, and the state changes between
// them, in the order the drawing made them.
#pragma once

#include <cstddef>
#include <variant>
#include <vector>

// A corner of a triangle: its place in clip space and its colour with alpha.
struct LayerVertex {
    float x;
    float y;
    float r;
    float g;
    float b;
    float a;
};

struct SetViewport {
    int x;
    int y;
    int width;
    int height;
};

struct ClearColour {
    float r;
    float g;
    float b;
    float a;
    unsigned mask;
};

struct SetBlending {
    bool on;
};

struct SetBlendFactors {
    unsigned source;
    unsigned destination;
};

// A run of the vertex list drawn as separate triangles.
struct DrawTriangles {
    std::size_t first;
    std::size_t count;
};

using FrameStep = std::variant<SetViewport, ClearColour, SetBlending, SetBlendFactors, DrawTriangles>;

struct FrameList {
    std::vector<LayerVertex> vertices;
    std::vector<FrameStep> steps;
};

// The frame the GL entry points are filling: one, as GL has one current context.
FrameList& recordedFrame();

// Hands the recorded frame to WebGL and starts the next one empty (web/gl/webgl_output.cpp).
void drawRecordedFrame();
