#include "tools/assetgen/bmp_writer.h"

namespace tuublark::assetgen {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const Picture& picture) {
    const uint32_t rowBytes = (static_cast<uint32_t>(picture.Width) * 3 + 3) / 4 * 4;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(picture.Height);
    std::vector<uint8_t> out;
    out.reserve(54 + imageBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + imageBytes);  // file size
    Put32(out, 0);                // reserved
    Put32(out, 54);               // offset of the pixel rows
    Put32(out, 40);               // info header size
    Put32(out, static_cast<uint32_t>(picture.Width));
    Put32(out, static_cast<uint32_t>(picture.Height));  // positive: bottom-up rows
    Put16(out, 1);                                      // planes
    Put16(out, 24);                                     // bits per pixel
    Put32(out, 0);                                      // no compression
    Put32(out, imageBytes);
    Put32(out, 2835);  // 72 dpi, both ways
    Put32(out, 2835);
    Put32(out, 0);  // colours used
    Put32(out, 0);  // colours important
    for (int y = picture.Height - 1; y >= 0; --y) {
        const uint8_t* row = picture.Rgb.data() + static_cast<size_t>(y) * picture.Width * 3;
        for (int x = 0; x < picture.Width; ++x) {
            out.push_back(row[x * 3 + 2]);
            out.push_back(row[x * 3 + 1]);
            out.push_back(row[x * 3 + 0]);
        }
        for (uint32_t pad = static_cast<uint32_t>(picture.Width) * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

}  // namespace tuublark::assetgen
