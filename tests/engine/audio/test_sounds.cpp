#include "test_sounds.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <unistd.h>

namespace tuublark::test {
namespace {

void Put32(Bytes& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(Bytes& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutChunk(Bytes& out, const std::string& name, const Bytes& data) {
    out.insert(out.end(), name.begin(), name.end());
    Put32(out, static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() & 1) out.push_back(0);
}

}  // namespace

Bytes MakeWav(uint16_t formatTag, uint16_t channels, uint32_t hertz, uint16_t bits, const Bytes& data,
              const std::vector<WavChunk>& between, uint16_t fmtExtra) {
    Bytes fmt;
    Put16(fmt, formatTag);
    Put16(fmt, channels);
    Put32(fmt, hertz);
    uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    Put32(fmt, hertz * align);
    Put16(fmt, align);
    Put16(fmt, bits);
    for (uint16_t i = 0; i < fmtExtra; ++i) fmt.push_back(0x5a);

    Bytes body = {'W', 'A', 'V', 'E'};
    PutChunk(body, "fmt ", fmt);
    for (const WavChunk& chunk : between) PutChunk(body, chunk.Name, chunk.Data);
    PutChunk(body, "data", data);

    Bytes file = {'R', 'I', 'F', 'F'};
    Put32(file, static_cast<uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

Bytes Le16(const std::vector<int16_t>& values) {
    Bytes out;
    for (int16_t v : values) Put16(out, static_cast<uint16_t>(v));
    return out;
}

Bytes EncodeOgg(int channels, int hertz, const std::vector<float>& interleaved) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, hertz, 0.4f) != 0) throw std::runtime_error("vorbis_encode_init_vbr");
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1234);

    Bytes out;
    auto emit = [&](const ogg_page& page) {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    };
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page)) emit(page);

    const int frames = static_cast<int>(interleaved.size()) / channels;
    const int chunk = 1024;
    auto drain = [&] {
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page)) emit(page);
            }
        }
    };
    for (int start = 0; start < frames; start += chunk) {
        int count = std::min(chunk, frames - start);
        float** buffer = vorbis_analysis_buffer(&dsp, count);
        for (int i = 0; i < count; ++i)
            for (int c = 0; c < channels; ++c)
                buffer[c][i] = interleaved[static_cast<size_t>((start + i) * channels + c)];
        vorbis_analysis_wrote(&dsp, count);
        drain();
    }
    vorbis_analysis_wrote(&dsp, 0);  // end of stream: the last page closes it
    drain();
    while (ogg_stream_flush(&stream, &page)) emit(page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

std::vector<float> Sine(int channels, int hertz, int frames, double tone, double level) {
    std::vector<float> out;
    for (int i = 0; i < frames; ++i) {
        float v = static_cast<float>(level * std::sin(2.0 * M_PI * tone * i / hertz));
        for (int c = 0; c < channels; ++c) out.push_back(v);
    }
    return out;
}

std::string WriteTempFile(const std::string& name, const Bytes& bytes) {
    const char* dir = std::getenv("TMPDIR");
    std::string path = std::string(dir ? dir : "/tmp") + "/tuublark-audio-" + std::to_string(getpid()) + "-" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("cannot write " + path);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);  // data() may be null when empty
    std::fclose(file);
    return path;
}

}  // namespace tuublark::test
