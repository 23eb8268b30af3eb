// The browser's GL layer at the swap: the frame the drawing recorded goes to WebGL 2 as one
// vertex buffer, drawn with one call per run of triangles between state changes.
#include <webgl/webgl1.h>  // the WebGL 1 calls, which WebGL 2 keeps, are all the layer needs

#include <cstddef>
#include <cstdio>

#include "web/gl/frame_list.hpp"

namespace {

// Positions arrive in clip space: the layer has applied the matrices already.
constexpr const char* kVertexShader = R"(#version 300 es
in vec2 position;
in vec4 colour;
out vec4 vertexColour;
void main()
{
    gl_Position = vec4(position, 0.0, 1.0);
    vertexColour = colour;
}
)";

constexpr const char* kFragmentShader = R"(#version 300 es
precision highp float;
in vec4 vertexColour;
out vec4 fragmentColour;
void main()
{
    fragmentColour = vertexColour;
}
)";

constexpr GLuint kPositionAttribute = 0;
constexpr GLuint kColourAttribute = 1;

GLuint compiledShader(GLenum kind, const char* source)
{
    const GLuint shader = emscripten_glCreateShader(kind);
    emscripten_glShaderSource(shader, 1, &source, nullptr);
    emscripten_glCompileShader(shader);
    GLint compiled = GL_FALSE;
    emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        char log[512] = {};
        emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "GL layer: a shader did not compile: %s\n", log);
    }
    return shader;
}

// The program and the buffer, made once the context exists and kept bound: nothing else
// in the page draws with this context.
void prepareOnce()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    const GLuint program = emscripten_glCreateProgram();
    emscripten_glAttachShader(program, compiledShader(GL_VERTEX_SHADER, kVertexShader));
    emscripten_glAttachShader(program, compiledShader(GL_FRAGMENT_SHADER, kFragmentShader));
    emscripten_glBindAttribLocation(program, kPositionAttribute, "position");
    emscripten_glBindAttribLocation(program, kColourAttribute, "colour");
    emscripten_glLinkProgram(program);
    emscripten_glUseProgram(program);

    GLuint buffer = 0;
    emscripten_glGenBuffers(1, &buffer);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const auto stride = static_cast<GLsizei>(sizeof(LayerVertex));
    emscripten_glEnableVertexAttribArray(kPositionAttribute);
    emscripten_glVertexAttribPointer(kPositionAttribute, 2, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<const void*>(offsetof(LayerVertex, x)));
    emscripten_glEnableVertexAttribArray(kColourAttribute);
    emscripten_glVertexAttribPointer(kColourAttribute, 4, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<const void*>(offsetof(LayerVertex, r)));
}

struct StepDrawer {
    void operator()(const SetViewport& step) const
    {
        emscripten_glViewport(step.x, step.y, step.width, step.height);
    }
    void operator()(const ClearColour& step) const
    {
        emscripten_glClearColor(step.r, step.g, step.b, step.a);
        emscripten_glClear(step.mask);
    }
    void operator()(const SetBlending& step) const
    {
        if (step.on)
            emscripten_glEnable(GL_BLEND);
        else
            emscripten_glDisable(GL_BLEND);
    }
    void operator()(const SetBlendFactors& step) const
    {
        emscripten_glBlendFunc(step.source, step.destination);
    }
    void operator()(const DrawTriangles& step) const
    {
        emscripten_glDrawArrays(GL_TRIANGLES, static_cast<GLint>(step.first), static_cast<GLsizei>(step.count));
    }
};

}  // namespace

void drawRecordedFrame()
{
    FrameList& frame = recordedFrame();
    prepareOnce();
    emscripten_glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(frame.vertices.size() * sizeof(LayerVertex)),
                            frame.vertices.data(), GL_STREAM_DRAW);
    for (const FrameStep& step : frame.steps)
        std::visit(StepDrawer{}, step);
    // Kept, not freed: the next frame fills the same storage.
    frame.vertices.clear();
    frame.steps.clear();
}
