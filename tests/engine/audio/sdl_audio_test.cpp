// The SDL2 output, through SDL's disk audio driver: the mixer's stream
// reaches the device, and a device that goes away is replaced.
#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "engine/audio/mixer_driver.h"
#include "engine/platform/sdl_audio.h"
#include "test_sounds.h"

namespace tuublark {
namespace {

std::vector<int16_t> ReadValues(const std::string& path) {
    std::vector<int16_t> values;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        int16_t buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, sizeof(int16_t), 4096, file)) > 0)
            values.insert(values.end(), buffer, buffer + n);
        std::fclose(file);
    }
    return values;
}

// Waits up to `seconds` for `done`.
template <typename Done>
bool WaitFor(Done done, double seconds) {
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

size_t Count(const std::vector<int16_t>& values, int16_t value) {
    size_t n = 0;
    for (int16_t v : values) n += v == value;
    return n;
}

class SdlAudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        output = test::WriteTempFile("disk-output.raw", {});
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    }
    void TearDown() override {
        CloseSdlAudio();
        SetAudioDriver(nullptr);
        SDL_Quit();
        std::remove(output.c_str());
    }
    std::string output;
};

TEST_F(SdlAudioTest, TheMixerFeedsTheDeviceAndALostDeviceIsReplaced) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    if (!OpenSdlAudio()) GTEST_SKIP() << "SDL has no disk audio driver here";
    ASSERT_NE(dynamic_cast<TMixerAudioDriver*>(&AudioDriver()), nullptr);
    std::string wav =
        test::WriteTempFile("tone.wav", test::MakeWav(1, 1, 44100, 16, test::Le16(std::vector<int16_t>(441, 1234))));
    SoundRef loop = LoadSound(wav, 1);
    std::remove(wav.c_str());
    ASSERT_TRUE(loop);
    ChannelRef channel = AllocChannel();
    PlaySound(loop, channel);

    // About half a second of stream, the loop in it throughout.
    ASSERT_TRUE(WaitFor([&] { return Count(ReadValues(output), 1234) > 44100; }, 10.0));

    const uint32_t first = SdlAudioDevice();
    ASSERT_NE(first, 0u);
    SDL_Event event{};
    event.type = SDL_AUDIODEVICEREMOVED;
    event.adevice.which = first;
    event.adevice.iscapture = 0;
    SDL_PushEvent(&event);
    ASSERT_TRUE(WaitFor([&] { return SdlAudioReopenCount() == 1 && SdlAudioDevice() != 0; }, 10.0));
    // The new device opened the file afresh; the same loop goes on in it.
    ASSERT_TRUE(WaitFor([&] { return Count(ReadValues(output), 1234) > 8192; }, 10.0));
    EXPECT_EQ(ChannelPlaying(channel), 1);

    // Paused output is silence; the game carries on either way.
    PauseSdlAudio(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    size_t before = ReadValues(output).size();
    ASSERT_TRUE(WaitFor([&] { return ReadValues(output).size() > before + 16384; }, 10.0));
    std::vector<int16_t> values = ReadValues(output);
    EXPECT_EQ(Count(std::vector<int16_t>(values.end() - 16384, values.end()), 0), 16384u);
    PauseSdlAudio(false);
}

// The disk driver sleeps 100 ms between periods of 20: every callback comes
// too late. The period doubles once and the latency with it, with one line
// on stderr, and the underruns are counted.
TEST_F(SdlAudioTest, ADeviceThatRunsDryGrowsItsPeriodOnceAndSaysSo) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "100", 1);
    ::testing::internal::CaptureStderr();
    bool opened = OpenSdlAudio();
    if (opened) {
        EXPECT_LE(SdlAudioLatencyFrames(), 2205);  // 50 ms
        EXPECT_EQ(SdlAudioPeriodFrames(), 882);
        EXPECT_TRUE(WaitFor([&] { return SdlAudioUnderrunCount() >= 3 && SdlAudioDevice() != 0; }, 10.0));
        EXPECT_EQ(SdlAudioPeriodFrames(), 1764);
        EXPECT_EQ(SdlAudioLatencyFrames(), 3528);
        BeginAudioFrame();  // the game's next frame takes the latency up
        EXPECT_EQ(static_cast<TMixerAudioDriver&>(AudioDriver()).Mixer().FrameClock().Latency(), 3528);
        CloseSdlAudio();
    }
    std::string messages = ::testing::internal::GetCapturedStderr();
    unsetenv("SDL_DISKAUDIODELAY");
    if (!opened) GTEST_SKIP() << "SDL has no disk audio driver here";
    const std::string line = "tuublark: audio output ran dry; its period grows to 1764 frames, its latency to 80 ms\n";
    size_t at = messages.find(line);
    EXPECT_NE(at, std::string::npos) << messages;
    EXPECT_EQ(messages.find("tuublark:", at + 1), std::string::npos) << messages;  // once, and nothing else
}

}  // namespace
}  // namespace tuublark
