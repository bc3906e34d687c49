#include "engine/audio/audio_sample.h"

namespace tuublark {
namespace {

int32_t Channels(int32_t format) { return format >= SampleFormatStereo8 ? 2 : 1; }
bool EightBit(int32_t format) { return format == SampleFormatMono8 || format == SampleFormatStereo8; }
bool BigEndian(int32_t format) { return format == SampleFormatMono16BE || format == SampleFormatStereo16BE; }

int32_t ReadValue(const uint8_t* p, int32_t format) {
    if (EightBit(format)) return p[0] * 257 - 32768;
    uint16_t bits =
        BigEndian(format) ? static_cast<uint16_t>(p[0] << 8 | p[1]) : static_cast<uint16_t>(p[1] << 8 | p[0]);
    return static_cast<int16_t>(bits);
}

void WriteValue(uint8_t* p, int32_t format, int32_t value) {
    if (EightBit(format)) {
        p[0] = static_cast<uint8_t>((value + 32768) / 257);
        return;
    }
    uint16_t bits = static_cast<uint16_t>(static_cast<int16_t>(value));
    if (BigEndian(format)) {
        p[0] = static_cast<uint8_t>(bits >> 8);
        p[1] = static_cast<uint8_t>(bits);
    } else {
        p[0] = static_cast<uint8_t>(bits);
        p[1] = static_cast<uint8_t>(bits >> 8);
    }
}

}  // namespace

int32_t BytesPerFrame(int32_t format) {
    switch (format) {
        case SampleFormatMono8: return 1;
        case SampleFormatMono16LE:
        case SampleFormatMono16BE:
        case SampleFormatStereo8: return 2;
        case SampleFormatStereo16LE:
        case SampleFormatStereo16BE: return 4;
        default: return 0;
    }
}

TAudioSample::TAudioSample(int32_t length, int32_t hertz, int32_t format)
    : Samples(nullptr), Length(length), Hertz(hertz), Format(format), Capacity(0) {
    if (BytesPerFrame(format) == 0) throw TSampleFormatError();
    owned_.assign(static_cast<size_t>(ByteSize()), 0);
    Samples = owned_.data();
    Capacity = static_cast<int32_t>(owned_.size());
}

TAudioSample::TAudioSample(std::vector<uint8_t>&& data, int32_t hertz, int32_t format)
    : Samples(nullptr), Length(0), Hertz(hertz), Format(format), Capacity(0), owned_(std::move(data)) {
    if (BytesPerFrame(format) == 0) throw TSampleFormatError();
    Length = static_cast<int32_t>(owned_.size() / static_cast<size_t>(BytesPerFrame(format)));
    Samples = owned_.data();
    Capacity = static_cast<int32_t>(owned_.size());
}

TAudioSample::TAudioSample(uint8_t* samples, int32_t length, int32_t hertz, int32_t format)
    : Samples(samples), Length(length), Hertz(hertz), Format(format), Capacity(-1) {}

AudioSampleRef ConvertAudioSample(const TAudioSample& sample, int32_t format) {
    const int32_t from = sample.Format;
    const int32_t fromBytes = BytesPerFrame(from), toBytes = BytesPerFrame(format);
    if (fromBytes == 0 || toBytes == 0) throw TSampleFormatError();
    auto result = std::make_unique<TAudioSample>(sample.Length, sample.Hertz, format);
    const int32_t fromValue = fromBytes / Channels(from), toValue = toBytes / Channels(format);
    const uint8_t* in = sample.Samples;
    uint8_t* out = result->Samples;
    for (int32_t i = 0; i < sample.Length; ++i, in += fromBytes, out += toBytes) {
        int32_t left = ReadValue(in, from);
        int32_t right = Channels(from) == 2 ? ReadValue(in + fromValue, from) : left;
        if (Channels(format) == 2) {
            WriteValue(out, format, left);
            WriteValue(out + toValue, format, right);
        } else {
            WriteValue(out, format, (left + right) / 2);
        }
    }
    return result;
}

}  // namespace tuublark
