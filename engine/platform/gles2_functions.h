// The OpenGL ES 2.0 functions the ES 2 render driver calls, as a table
// filled once a context is current. The desktop finds them by name through
// the window system (no link to an ES library, and Windows has none); the
// browser build takes WebGL's own entry points.
#pragma once

#if defined(_WIN32)
// MinGW ships no ES 2 headers; SDL carries the standard ones.
#define SDL_USE_BUILTIN_OPENGL_DEFINITIONS 1
#include <SDL_opengles2.h>
#else
#include <GLES2/gl2.h>
#endif

#include <functional>

namespace tuublark {

// Every function used: its type and name without the "gl" prefix.
#define TUUBLARK_GLES2_FUNCTIONS(X)                              \
    X(PFNGLATTACHSHADERPROC, AttachShader)                       \
    X(PFNGLBINDATTRIBLOCATIONPROC, BindAttribLocation)           \
    X(PFNGLBINDBUFFERPROC, BindBuffer)                           \
    X(PFNGLBINDFRAMEBUFFERPROC, BindFramebuffer)                 \
    X(PFNGLBINDTEXTUREPROC, BindTexture)                         \
    X(PFNGLBLENDFUNCPROC, BlendFunc)                             \
    X(PFNGLBUFFERDATAPROC, BufferData)                           \
    X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, CheckFramebufferStatus)   \
    X(PFNGLCLEARPROC, Clear)                                     \
    X(PFNGLCLEARCOLORPROC, ClearColor)                           \
    X(PFNGLCOMPILESHADERPROC, CompileShader)                     \
    X(PFNGLCREATEPROGRAMPROC, CreateProgram)                     \
    X(PFNGLCREATESHADERPROC, CreateShader)                       \
    X(PFNGLDELETEBUFFERSPROC, DeleteBuffers)                     \
    X(PFNGLDELETEFRAMEBUFFERSPROC, DeleteFramebuffers)           \
    X(PFNGLDELETEPROGRAMPROC, DeleteProgram)                     \
    X(PFNGLDELETESHADERPROC, DeleteShader)                       \
    X(PFNGLDELETETEXTURESPROC, DeleteTextures)                   \
    X(PFNGLDISABLEPROC, Disable)                                 \
    X(PFNGLDRAWARRAYSPROC, DrawArrays)                           \
    X(PFNGLENABLEPROC, Enable)                                   \
    X(PFNGLENABLEVERTEXATTRIBARRAYPROC, EnableVertexAttribArray) \
    X(PFNGLFINISHPROC, Finish)                                   \
    X(PFNGLFRAMEBUFFERTEXTURE2DPROC, FramebufferTexture2D)       \
    X(PFNGLGENBUFFERSPROC, GenBuffers)                           \
    X(PFNGLGENFRAMEBUFFERSPROC, GenFramebuffers)                 \
    X(PFNGLGENTEXTURESPROC, GenTextures)                         \
    X(PFNGLGETERRORPROC, GetError)                               \
    X(PFNGLGETINTEGERVPROC, GetIntegerv)                         \
    X(PFNGLGETPROGRAMINFOLOGPROC, GetProgramInfoLog)             \
    X(PFNGLGETPROGRAMIVPROC, GetProgramiv)                       \
    X(PFNGLGETSHADERINFOLOGPROC, GetShaderInfoLog)               \
    X(PFNGLGETSHADERIVPROC, GetShaderiv)                         \
    X(PFNGLGETUNIFORMLOCATIONPROC, GetUniformLocation)           \
    X(PFNGLLINKPROGRAMPROC, LinkProgram)                         \
    X(PFNGLPIXELSTOREIPROC, PixelStorei)                         \
    X(PFNGLREADPIXELSPROC, ReadPixels)                           \
    X(PFNGLSCISSORPROC, Scissor)                                 \
    X(PFNGLSHADERSOURCEPROC, ShaderSource)                       \
    X(PFNGLTEXIMAGE2DPROC, TexImage2D)                           \
    X(PFNGLTEXPARAMETERIPROC, TexParameteri)                     \
    X(PFNGLUNIFORM1FPROC, Uniform1f)                             \
    X(PFNGLUNIFORM1IPROC, Uniform1i)                             \
    X(PFNGLUNIFORM2FPROC, Uniform2f)                             \
    X(PFNGLUSEPROGRAMPROC, UseProgram)                           \
    X(PFNGLVERTEXATTRIBPOINTERPROC, VertexAttribPointer)         \
    X(PFNGLVIEWPORTPROC, Viewport)

struct TGles2Functions {
#define TUUBLARK_GLES2_MEMBER(type, name) type name = nullptr;
    TUUBLARK_GLES2_FUNCTIONS(TUUBLARK_GLES2_MEMBER)
#undef TUUBLARK_GLES2_MEMBER

    // Fills the table from `lookUp` (a name with the "gl" prefix to its
    // address); false, naming the first one missing in `missing`, when
    // the context lacks any.
    bool Load(const std::function<void*(const char*)>& lookUp, const char*& missing);
};

}  // namespace tuublark
