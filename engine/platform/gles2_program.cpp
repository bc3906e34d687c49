#include "engine/platform/gles2_program.h"

#include <vector>

namespace tuublark {
namespace {

const char* const kVertexShader = R"(
attribute vec2 a_position;
attribute vec2 a_texCoord;
attribute vec4 a_color;
attribute float a_textured;
uniform vec2 u_scale;
uniform vec2 u_offset;
varying vec2 v_texCoord;
varying vec4 v_color;
varying float v_textured;
void main() {
    gl_Position = vec4(a_position * u_scale + u_offset, 0.0, 1.0);
    v_texCoord = a_texCoord;
    v_color = a_color;
    v_textured = a_textured;
}
)";

// Texture coordinates of a 1024-texel picture need more than the 10 bits
// of a phone's medium precision.
const char* const kFragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D u_texture;
uniform float u_alphaReference;
varying vec2 v_texCoord;
varying vec4 v_color;
varying float v_textured;
void main() {
    vec4 color = v_color * mix(vec4(1.0), texture2D(u_texture, v_texCoord), v_textured);
    if (color.a < u_alphaReference) discard;
    gl_FragColor = color;
}
)";

std::string Log(const TGles2Functions& gl, GLuint object, bool program) {
    GLint length = 0;
    if (program) gl.GetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
    else gl.GetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> text(static_cast<size_t>(length > 1 ? length : 1), '\0');
    if (program) gl.GetProgramInfoLog(object, static_cast<GLsizei>(text.size()), nullptr, text.data());
    else gl.GetShaderInfoLog(object, static_cast<GLsizei>(text.size()), nullptr, text.data());
    std::string log(text.data());
    while (!log.empty() && (log.back() == '\n' || log.back() == ' ')) log.pop_back();
    for (char& c : log)
        if (c == '\n') c = ' ';
    return log;
}

GLuint Compile(const TGles2Functions& gl, GLenum kind, const char* source, std::string& error) {
    GLuint shader = gl.CreateShader(kind);
    gl.ShaderSource(shader, 1, &source, nullptr);
    gl.CompileShader(shader);
    GLint ok = 0;
    gl.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return shader;
    error = std::string(kind == GL_VERTEX_SHADER ? "vertex" : "fragment") + " shader: " + Log(gl, shader, false);
    gl.DeleteShader(shader);
    return 0;
}

}  // namespace

bool TGles2Program::Build(const TGles2Functions& gl, std::string& error) {
    program_ = 0;
    GLuint vertex = Compile(gl, GL_VERTEX_SHADER, kVertexShader, error);
    if (!vertex) return false;
    GLuint fragment = Compile(gl, GL_FRAGMENT_SHADER, kFragmentShader, error);
    if (!fragment) {
        gl.DeleteShader(vertex);
        return false;
    }
    GLuint program = gl.CreateProgram();
    gl.AttachShader(program, vertex);
    gl.AttachShader(program, fragment);
    gl.BindAttribLocation(program, kAttribPosition, "a_position");
    gl.BindAttribLocation(program, kAttribTexCoord, "a_texCoord");
    gl.BindAttribLocation(program, kAttribColor, "a_color");
    gl.BindAttribLocation(program, kAttribTextured, "a_textured");
    gl.LinkProgram(program);
    gl.DeleteShader(vertex);  // kept by the program until it goes
    gl.DeleteShader(fragment);
    GLint ok = 0;
    gl.GetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        error = "shader program: " + Log(gl, program, true);
        gl.DeleteProgram(program);
        return false;
    }
    program_ = program;
    scale_ = gl.GetUniformLocation(program, "u_scale");
    offset_ = gl.GetUniformLocation(program, "u_offset");
    alphaReference_ = gl.GetUniformLocation(program, "u_alphaReference");
    gl.UseProgram(program);
    gl.Uniform1i(gl.GetUniformLocation(program, "u_texture"), 0);
    SetAlphaReference(gl, 0.0f);
    return true;
}

void TGles2Program::SetTarget(const TGles2Functions& gl, int32_t width, int32_t height) const {
    gl.Uniform2f(scale_, 2.0f / static_cast<float>(width), -2.0f / static_cast<float>(height));
    gl.Uniform2f(offset_, -1.0f, 1.0f);
}

void TGles2Program::SetAlphaReference(const TGles2Functions& gl, float reference) const {
    gl.Uniform1f(alphaReference_, reference);
}

}  // namespace tuublark
