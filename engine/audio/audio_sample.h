// Decoded sound data in memory, in one of six frame layouts, and the
// conversions between them.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace tuublark {

enum : int32_t {
    SampleFormatMono8 = 1,       // unsigned 8-bit
    SampleFormatMono16LE = 2,    // signed 16-bit little-endian
    SampleFormatMono16BE = 3,    // signed 16-bit big-endian
    SampleFormatStereo8 = 4,     // two unsigned 8-bit values, left first
    SampleFormatStereo16LE = 5,  // two signed 16-bit little-endian values, left first
    SampleFormatStereo16BE = 6,  // two signed 16-bit big-endian values, left first
};

// Bytes of one frame; 0 for an unknown format.
int32_t BytesPerFrame(int32_t format);

class TAudioSample {
public:
    // Zero-filled data of its own for `length` frames.
    TAudioSample(int32_t length, int32_t hertz, int32_t format);
    // Takes `data` as its own; a partial last frame is not counted.
    TAudioSample(std::vector<uint8_t>&& data, int32_t hertz, int32_t format);
    // Wraps data that belongs to someone else (Capacity -1); the data must
    // outlive the sample.
    TAudioSample(uint8_t* samples, int32_t length, int32_t hertz, int32_t format);

    TAudioSample(const TAudioSample&) = delete;
    TAudioSample& operator=(const TAudioSample&) = delete;

    uint8_t* Samples;
    int32_t Length;  // frames
    int32_t Hertz;   // frames per second
    int32_t Format;
    int32_t Capacity;  // bytes owned, -1 when the data is someone else's

    int64_t ByteSize() const { return static_cast<int64_t>(Length) * BytesPerFrame(Format); }

private:
    std::vector<uint8_t> owned_;
};

using AudioSampleRef = std::unique_ptr<TAudioSample>;

// Raised for a format outside the six.
class TSampleFormatError : public std::runtime_error {
public:
    TSampleFormatError() : std::runtime_error("Unimplemented sample format conversion") {}
};

// A copy of `sample` in `format`, converted through 16-bit stereo: 8-bit v
// becomes v * 257 - 32768, mono is duplicated, mono from stereo is
// (L + R) / 2, and 8-bit from 16-bit is (v + 32768) / 257.
AudioSampleRef ConvertAudioSample(const TAudioSample& sample, int32_t format);

}  // namespace tuublark
