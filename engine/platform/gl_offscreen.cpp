#include "engine/platform/gl_offscreen.h"

namespace tuublark {
namespace {

// The core name, else the extension's.
template <typename T>
T Find(const std::function<void*(const char*)>& lookUp, const char* core, const char* ext) {
    void* found = lookUp(core);
    return reinterpret_cast<T>(found ? found : lookUp(ext));
}

}  // namespace

bool TGLOffscreen::Create(int32_t width, int32_t height, const std::function<void*(const char*)>& lookUp) {
    Forget();
    auto genFramebuffers = Find<PFNGLGENFRAMEBUFFERSPROC>(lookUp, "glGenFramebuffers", "glGenFramebuffersEXT");
    auto genRenderbuffers = Find<PFNGLGENRENDERBUFFERSPROC>(lookUp, "glGenRenderbuffers", "glGenRenderbuffersEXT");
    auto bindRenderbuffer = Find<PFNGLBINDRENDERBUFFERPROC>(lookUp, "glBindRenderbuffer", "glBindRenderbufferEXT");
    auto storage = Find<PFNGLRENDERBUFFERSTORAGEPROC>(lookUp, "glRenderbufferStorage", "glRenderbufferStorageEXT");
    auto attach =
        Find<PFNGLFRAMEBUFFERRENDERBUFFERPROC>(lookUp, "glFramebufferRenderbuffer", "glFramebufferRenderbufferEXT");
    auto status =
        Find<PFNGLCHECKFRAMEBUFFERSTATUSPROC>(lookUp, "glCheckFramebufferStatus", "glCheckFramebufferStatusEXT");
    bindFramebuffer_ = Find<PFNGLBINDFRAMEBUFFERPROC>(lookUp, "glBindFramebuffer", "glBindFramebufferEXT");
    blit_ = Find<PFNGLBLITFRAMEBUFFERPROC>(lookUp, "glBlitFramebuffer", "glBlitFramebufferEXT");
    if (!genFramebuffers || !genRenderbuffers || !bindRenderbuffer || !storage || !attach || !status ||
        !bindFramebuffer_ || !blit_)
        return false;
    genRenderbuffers(1, &renderbuffer_);
    bindRenderbuffer(GL_RENDERBUFFER, renderbuffer_);
    storage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    genFramebuffers(1, &framebuffer_);
    bindFramebuffer_(GL_FRAMEBUFFER, framebuffer_);
    attach(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffer_);
    if (status(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE || glGetError() != GL_NO_ERROR) {
        bindFramebuffer_(GL_FRAMEBUFFER, 0);
        Forget();
        return false;
    }
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    width_ = width;
    height_ = height;
    return true;
}

void TGLOffscreen::PresentInto(const TPictureRect& picture) {
    GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    if (scissor) glDisable(GL_SCISSOR_TEST);
    bindFramebuffer_(GL_READ_FRAMEBUFFER, framebuffer_);
    bindFramebuffer_(GL_DRAW_FRAMEBUFFER, 0);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);  // the bars
    // Whole multiples stay sharp; other sizes are smoothed.
    bool whole = picture.Width % width_ == 0 && picture.Height % height_ == 0;
    blit_(0, 0, width_, height_, picture.X, picture.Y, picture.X + picture.Width, picture.Y + picture.Height,
          GL_COLOR_BUFFER_BIT, whole ? GL_NEAREST : GL_LINEAR);
    bindFramebuffer_(GL_FRAMEBUFFER, framebuffer_);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    if (scissor) glEnable(GL_SCISSOR_TEST);
}

void TGLOffscreen::ReadWindow(bool window) {
    bindFramebuffer_(GL_READ_FRAMEBUFFER, window ? 0 : framebuffer_);
    glReadBuffer(window ? GL_BACK : GL_COLOR_ATTACHMENT0);
}

}  // namespace tuublark
