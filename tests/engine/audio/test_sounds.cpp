#include "test_sounds.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/game_process.h"

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

std::vector<float> Sine(int channels, int hertz, int frames, double tone, double level) {
    std::vector<float> out;
    for (int i = 0; i < frames; ++i) {
        float v = static_cast<float>(level * std::sin(2.0 * M_PI * tone * i / hertz));
        for (int c = 0; c < channels; ++c) out.push_back(v);
    }
    return out;
}

std::string WriteTempFile(const std::string& name, const Bytes& bytes) {
    const std::string path = Temp(name);
    WriteFile(path, std::string(bytes.begin(), bytes.end()));
    return path;
}

}  // namespace tuublark::test
