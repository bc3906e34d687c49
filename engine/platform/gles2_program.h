// The one shader program of the ES 2 render driver (GLSL ES 1.00): pixel
// positions through a scale and offset into clip space, a vertex colour,
// and a texture that each vertex uses or not, so textured quads, lines
// and points share a batch. Masked drawing discards what the alpha test
// of fixed-function OpenGL would.
#pragma once

#include <cstdint>
#include <string>

#include "engine/platform/gles2_functions.h"

namespace tuublark {

// Attribute locations, bound before linking.
enum : unsigned { kAttribPosition = 0, kAttribTexCoord = 1, kAttribColor = 2, kAttribTextured = 3 };

class TGles2Program {
public:
    // Compiles and links in the current context; false with `error` set
    // (the compiler's log) when the context refuses it.
    bool Build(const TGles2Functions& gl, std::string& error);
    // Forgets the program; its context is gone or about to go.
    void Forget() { program_ = 0; }
    void Use(const TGles2Functions& gl) const { gl.UseProgram(program_); }

    // Maps x from 0 to width and y from 0 (top) to height onto clip space.
    void SetTarget(const TGles2Functions& gl, int32_t width, int32_t height) const;
    // Fragments with alpha below `reference` are discarded; 0 keeps all.
    void SetAlphaReference(const TGles2Functions& gl, float reference) const;

private:
    GLuint program_ = 0;
    GLint scale_ = -1, offset_ = -1, alphaReference_ = -1;
};

}  // namespace tuublark
