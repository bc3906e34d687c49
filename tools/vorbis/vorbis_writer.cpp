#include "tools/vorbis/vorbis_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <stdexcept>

namespace tuublark {

std::vector<uint8_t> EncodeOggVorbis(int channels, int hertz, const std::vector<float>& interleaved,
                                     const TVorbisSettings& settings) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, hertz, settings.Quality) != 0) {
        vorbis_info_clear(&info);
        throw std::runtime_error("the Vorbis encoder refuses this format");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    if (settings.Title) vorbis_comment_add_tag(&comment, "TITLE", settings.Title);
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, settings.Serial);

    std::vector<uint8_t> out;
    ogg_page page;
    auto emit = [&] {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    };
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    // The headers end on a page of their own so the audio starts a new one.
    while (ogg_stream_flush(&stream, &page) != 0) emit();

    auto drain = [&] {
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) emit();
            }
        }
    };
    const size_t frames = interleaved.size() / static_cast<size_t>(channels);
    const size_t chunk = 1024;
    for (size_t start = 0; start < frames; start += chunk) {
        const size_t count = std::min(chunk, frames - start);
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        for (size_t i = 0; i < count; ++i)
            for (int c = 0; c < channels; ++c) buffer[c][i] = interleaved[(start + i) * channels + c];
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        drain();
    }
    vorbis_analysis_wrote(&dsp, 0);  // end of stream: the last page closes it
    drain();
    while (ogg_stream_flush(&stream, &page) != 0) emit();

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

}  // namespace tuublark
