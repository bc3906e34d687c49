#include "engine/platform/gles2_batch.h"

#include <cstddef>

#include "engine/platform/gles2_program.h"

namespace tuublark {

void TGles2Batch::Create(const TGles2Functions& gl) {
    Forget();
    gl.GenBuffers(1, &buffer_);
    gl.BindBuffer(GL_ARRAY_BUFFER, buffer_);
    const GLsizei stride = sizeof(TGles2Vertex);
    auto at = [](size_t offset) { return reinterpret_cast<const void*>(offset); };
    gl.VertexAttribPointer(kAttribPosition, 2, GL_FLOAT, GL_FALSE, stride, at(offsetof(TGles2Vertex, X)));
    gl.VertexAttribPointer(kAttribTexCoord, 2, GL_FLOAT, GL_FALSE, stride, at(offsetof(TGles2Vertex, U)));
    gl.VertexAttribPointer(kAttribColor, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(offsetof(TGles2Vertex, R)));
    gl.VertexAttribPointer(kAttribTextured, 1, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(offsetof(TGles2Vertex, Textured)));
    for (GLuint attrib : {kAttribPosition, kAttribTexCoord, kAttribColor, kAttribTextured})
        gl.EnableVertexAttribArray(attrib);
}

void TGles2Batch::Forget() {
    vertices_.clear();
    texture_ = 0;
    buffer_ = 0;
}

void TGles2Batch::AddQuad(const float xy[8], const float uv[8], const uint8_t color[4], uint32_t texture) {
    if (texture != 0) texture_ = texture;
    auto corner = [&](int i) {
        vertices_.push_back({xy[2 * i],
                             xy[2 * i + 1],
                             uv[2 * i],
                             uv[2 * i + 1],
                             color[0],
                             color[1],
                             color[2],
                             color[3],
                             static_cast<uint8_t>(texture != 0 ? 255 : 0),
                             {0, 0, 0}});
    };
    // Two triangles sharing the diagonal from the first corner to the third.
    for (int i : {0, 1, 2, 0, 2, 3}) corner(i);
}

bool TGles2Batch::Flush(const TGles2Functions& gl) {
    if (vertices_.empty()) return false;
    if (texture_ != 0) gl.BindTexture(GL_TEXTURE_2D, texture_);
    // A new store each time: the driver need not wait for the last draw
    // to finish reading the old one.
    size_t bytes = vertices_.size() * sizeof(TGles2Vertex);
    gl.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), vertices_.data(), GL_STREAM_DRAW);
    gl.DrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices_.size()));
    vertices_.clear();
    texture_ = 0;
    return true;
}

}  // namespace tuublark
