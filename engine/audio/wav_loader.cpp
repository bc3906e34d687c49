#include <cstring>

#include "engine/audio/sample_loader.h"

namespace tuublark {
namespace {

bool ReadTag(TStream& stream, const char* tag) {
    char name[4];
    stream.ReadExactly(name, 4);
    return std::memcmp(name, tag, 4) == 0;
}

// Chunks are padded to an even size; the pad byte is not counted.
void SkipChunk(TStream& stream, uint32_t size) { stream.Skip(static_cast<int64_t>(size) + (size & 1)); }

int32_t FormatFor(uint16_t channels, uint16_t bits) {
    if (bits == 8 && channels == 1) return SampleFormatMono8;
    if (bits == 8 && channels == 2) return SampleFormatStereo8;
    if (bits == 16 && channels == 1) return SampleFormatMono16LE;
    if (bits == 16 && channels == 2) return SampleFormatStereo16LE;
    return 0;
}

}  // namespace

AudioSampleRef LoadWavSample(TStream& stream) {
    if (!ReadTag(stream, "RIFF")) return nullptr;
    stream.ReadU32LE();  // RIFF size: files often get it wrong
    if (!ReadTag(stream, "WAVE") || !ReadTag(stream, "fmt ")) return nullptr;
    uint32_t fmtSize = stream.ReadU32LE();
    if (fmtSize < 16) return nullptr;
    uint16_t tag = stream.ReadU16LE();
    uint16_t channels = stream.ReadU16LE();
    uint32_t hertz = stream.ReadU32LE();
    stream.ReadU32LE();  // byte rate
    stream.ReadU16LE();  // block align
    uint16_t bits = stream.ReadU16LE();
    if (tag != 1) return nullptr;  // compressed
    int32_t format = FormatFor(channels, bits);
    if (format == 0 || hertz == 0 || hertz > 0x7fffffff) return nullptr;
    SkipChunk(stream, fmtSize - 16);

    while (!stream.AtEnd()) {
        bool isData = ReadTag(stream, "data");
        uint32_t size = stream.ReadU32LE();
        if (!isData) {
            SkipChunk(stream, size);
            continue;
        }
        // A data chunk larger than what is left is a truncated file.
        if (static_cast<int64_t>(size) > stream.Size() - stream.Position()) return nullptr;
        int32_t frameBytes = BytesPerFrame(format);
        int64_t frames = size / frameBytes;
        if (SoundTooLong(frames, hertz, frameBytes)) return nullptr;
        auto sample = std::make_unique<TAudioSample>(static_cast<int32_t>(frames), static_cast<int32_t>(hertz), format);
        stream.ReadExactly(sample->Samples, static_cast<size_t>(sample->ByteSize()));
        return sample;
    }
    return nullptr;
}

}  // namespace tuublark
