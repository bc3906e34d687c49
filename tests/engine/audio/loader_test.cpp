// Sample formats, the WAV and Ogg Vorbis loaders, and LoadSound.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/audio/sample_loader.h"
#include "engine/audio/sound.h"
#include "engine/runtime/stream.h"
#include "test_sounds.h"

namespace tuublark {
namespace {

using test::Bytes;

AudioSampleRef Load(const Bytes& bytes) {
    TMemoryStream stream(bytes);
    return LoadAudioSample(stream);
}

std::vector<int16_t> Values16(const TAudioSample& sample) {
    std::vector<int16_t> out;
    int32_t count = sample.Length * BytesPerFrame(sample.Format) / 2;
    for (int32_t i = 0; i < count; ++i)
        out.push_back(static_cast<int16_t>(sample.Samples[2 * i] | sample.Samples[2 * i + 1] << 8));
    return out;
}

TEST(SampleFormatTest, ConversionsGoThroughSixteenBitStereo) {
    uint8_t mono8[] = {0, 128, 255};
    TAudioSample m8(mono8, 3, 8000, SampleFormatMono8);
    EXPECT_EQ(m8.Capacity, -1);
    AudioSampleRef s16 = ConvertAudioSample(m8, SampleFormatStereo16LE);
    EXPECT_EQ(Values16(*s16), (std::vector<int16_t>{-32768, -32768, 128, 128, 32767, 32767}));
    EXPECT_EQ(s16->Hertz, 8000);
    EXPECT_EQ(s16->Capacity, 12);

    // Towards mono the sides are averaged, truncating toward zero.
    uint8_t stereoBE[] = {0x00, 0x64, 0xFE, 0xD3, 0x80, 0x00, 0x80, 0x00};  // (100, -301), (-32768, -32768)
    TAudioSample sbe(stereoBE, 2, 44100, SampleFormatStereo16BE);
    AudioSampleRef mono = ConvertAudioSample(sbe, SampleFormatMono16LE);
    EXPECT_EQ(Values16(*mono), (std::vector<int16_t>{-100, -32768}));
    AudioSampleRef monoBE = ConvertAudioSample(sbe, SampleFormatMono16BE);
    EXPECT_EQ(monoBE->Samples[0], 0xFF);
    EXPECT_EQ(monoBE->Samples[1], 0x9C);

    // Towards 8 bits: (v + 32768) / 257.
    AudioSampleRef st8 = ConvertAudioSample(sbe, SampleFormatStereo8);
    EXPECT_EQ(st8->Samples[0], (100 + 32768) / 257);
    EXPECT_EQ(st8->Samples[1], (-301 + 32768) / 257);
    EXPECT_EQ(st8->Samples[2], 0);
    AudioSampleRef back = ConvertAudioSample(*ConvertAudioSample(m8, SampleFormatMono16BE), SampleFormatMono8);
    EXPECT_EQ(std::vector<uint8_t>(back->Samples, back->Samples + 3), std::vector<uint8_t>(mono8, mono8 + 3));

    EXPECT_THROW(ConvertAudioSample(m8, 7), TSampleFormatError);
    TAudioSample bad(mono8, 3, 8000, 0);
    EXPECT_THROW(ConvertAudioSample(bad, SampleFormatMono8), TSampleFormatError);
}

TEST(WavLoaderTest, ReadsEachAcceptedFormat) {
    struct Case {
        uint16_t channels, bits;
        int32_t format;
    } cases[] = {{1, 8, SampleFormatMono8},
                 {2, 8, SampleFormatStereo8},
                 {1, 16, SampleFormatMono16LE},
                 {2, 16, SampleFormatStereo16LE}};
    Bytes data = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};  // an odd tail is no whole frame
    for (const Case& c : cases) {
        AudioSampleRef sample = Load(test::MakeWav(1, c.channels, 22050, c.bits, data));
        ASSERT_TRUE(sample) << c.channels << "x" << c.bits;
        EXPECT_EQ(sample->Format, c.format);
        EXPECT_EQ(sample->Hertz, 22050);
        EXPECT_EQ(sample->Length, 13 / (c.channels * c.bits / 8));
        EXPECT_EQ(std::vector<uint8_t>(sample->Samples, sample->Samples + sample->ByteSize()),
                  Bytes(data.begin(), data.begin() + sample->ByteSize()));
    }
}

TEST(WavLoaderTest, SkipsOtherChunksFmtExtrasAndPadBytes) {
    Bytes data = test::Le16({10, -20, 30, -40});
    // A LIST chunk between "fmt " and "data", an odd-sized chunk with its
    // pad byte, and an 18-byte fmt chunk.
    std::vector<test::WavChunk> between = {{"LIST", Bytes(26, 'x')}, {"junk", Bytes{9, 9, 9}}, {"odd!", Bytes{7}}};
    AudioSampleRef sample = Load(test::MakeWav(1, 2, 44100, 16, data, between, 2));
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->Length, 2);
    EXPECT_EQ(Values16(*sample), (std::vector<int16_t>{10, -20, 30, -40}));
    // An odd-sized fmt chunk is padded too.
    sample = Load(test::MakeWav(1, 1, 8000, 16, data, {}, 1));
    ASSERT_TRUE(sample);
    EXPECT_EQ(Values16(*sample), (std::vector<int16_t>{10, -20, 30, -40}));
}

TEST(WavLoaderTest, RefusesWhatItCannotPlay) {
    Bytes data(64, 0);
    EXPECT_FALSE(Load(test::MakeWav(3, 1, 44100, 32, data))) << "float";
    EXPECT_FALSE(Load(test::MakeWav(2, 1, 44100, 4, data))) << "ADPCM";
    EXPECT_FALSE(Load(test::MakeWav(1, 1, 44100, 24, data))) << "24-bit";
    EXPECT_FALSE(Load(test::MakeWav(1, 2, 44100, 32, data))) << "32-bit";
    EXPECT_FALSE(Load(test::MakeWav(1, 3, 44100, 16, data))) << "3 channels";
    EXPECT_FALSE(Load(test::MakeWav(1, 2, 0, 16, data))) << "0 Hz";

    Bytes noData = test::MakeWav(1, 2, 44100, 16, data);
    noData[noData.size() - 64 - 8] = 'D';  // "Data" is not "data"
    EXPECT_FALSE(Load(noData));
}

TEST(WavLoaderTest, TruncatedOrDamagedFilesAreRefusedWithoutACrash) {
    Bytes good = test::MakeWav(1, 2, 44100, 16, Bytes(400, 3), {{"LIST", Bytes(20, 1)}});
    ASSERT_TRUE(Load(good));
    for (size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(Load(Bytes(good.begin(), good.begin() + static_cast<long>(cut)))) << "cut at " << cut;
    // Sizes out of all proportion.
    Bytes huge = good;
    size_t dataSize = huge.size() - 400 - 4;
    huge[dataSize + 3] = 0x7f;
    EXPECT_FALSE(Load(huge));
    Bytes hugeList = good;
    hugeList[12 + 8 + 16 + 4 + 3] = 0xff;  // the LIST chunk's size
    EXPECT_FALSE(Load(hugeList));
    Bytes shortFmt = good;
    shortFmt[16] = 8;
    EXPECT_FALSE(Load(shortFmt));
}

class OggLoaderTest : public ::testing::Test {
protected:
    static double Rms(const std::vector<int16_t>& values, const std::vector<float>& reference, int channels,
                      int stride) {
        double sum = 0;
        size_t n =
            std::min(values.size() / static_cast<size_t>(stride), reference.size() / static_cast<size_t>(channels));
        for (size_t i = 0; i < n; ++i) {
            double d = values[i * static_cast<size_t>(stride)] / 32768.0 - reference[i * static_cast<size_t>(channels)];
            sum += d * d;
        }
        return std::sqrt(sum / static_cast<double>(n));
    }
};

TEST_F(OggLoaderTest, DecodesMonoAndStereo) {
    for (int channels : {1, 2}) {
        std::vector<float> pcm = test::Sine(channels, 22050, 10000, 441.0, 0.5);
        AudioSampleRef sample = Load(EncodeOggVorbis(channels, 22050, pcm));
        ASSERT_TRUE(sample) << channels;
        EXPECT_EQ(sample->Format, channels == 1 ? SampleFormatMono16LE : SampleFormatStereo16LE);
        EXPECT_EQ(sample->Hertz, 22050);
        EXPECT_EQ(sample->Length, 10000);
        std::vector<int16_t> values = Values16(*sample);
        EXPECT_LT(Rms(values, pcm, channels, channels), 0.02) << "decoded sound differs from the tone";
        if (channels == 2) {
            EXPECT_LT(Rms(std::vector<int16_t>(values.begin() + 1, values.end()), pcm, 2, 2), 0.02);
        }
    }
}

TEST_F(OggLoaderTest, TruncatedCorruptedAndForeignDataAreRefused) {
    Bytes good = EncodeOggVorbis(2, 44100, test::Sine(2, 44100, 20000, 1000.0, 0.3));
    ASSERT_TRUE(Load(good));
    for (size_t cut = 0; cut < good.size(); cut += 37)
        EXPECT_FALSE(Load(Bytes(good.begin(), good.begin() + static_cast<long>(cut)))) << "cut at " << cut;
    for (size_t at = 0; at < good.size(); at += good.size() / 23) {
        Bytes damaged = good;
        damaged[at] ^= 0x5a;
        EXPECT_FALSE(Load(damaged)) << "byte " << at << " damaged";
    }
    Bytes withTail = good;
    withTail.insert(withTail.end(), {1, 2, 3, 4, 5});
    EXPECT_FALSE(Load(withTail));
    EXPECT_FALSE(Load(Bytes(5000, 0x4f)));
    EXPECT_FALSE(Load(Bytes{}));
}

TEST(SoundLengthTest, SoundsOverTenMinutesAreRefused) {
    // 8 kHz 8-bit mono: ten minutes are 4.8 MB.
    const int32_t tenMinutes = 600 * 8000;
    struct Case {
        Bytes File;
        bool Loads;
    };
    const Case cases[] = {
        {test::MakeWav(1, 1, 8000, 8, Bytes(tenMinutes, 128)), true},
        {test::MakeWav(1, 1, 8000, 8, Bytes(tenMinutes + 8000, 128)), false},
        {EncodeOggVorbis(1, 8000, std::vector<float>(tenMinutes + 8000, 0.0f)), false},
    };
    for (const Case& c : cases) EXPECT_EQ(Load(c.File) != nullptr, c.Loads) << c.File.size() << " bytes";
}

}  // namespace
}  // namespace tuublark
