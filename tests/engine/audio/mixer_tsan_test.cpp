// The hand-over between the game thread and the audio thread, built with
// ThreadSanitizer: one thread starts, stops and changes voices and reads
// the output clock while another runs mix passes and stamps it. A race
// makes the sanitizer fail the run.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>
#include <vector>

#include "engine/audio/mixer.h"

namespace tuublark {
namespace {

TMixSound* Constant(int16_t value, int32_t frames, bool loop) {
    return new TMixSound(std::vector<int16_t>(static_cast<size_t>(frames) * 2, value), kOutputHertz, loop);
}

TEST(MixerThreadsTest, VoicesStartedWhileMixingAreNeverLostOrRaced) {
    TMixer mixer;
    TMixSound* sounds[] = {Constant(100, 3000, false), Constant(200, 50000, false), Constant(7, 700, true),
                           Constant(-50, 10, false)};
    std::vector<int32_t> channels;
    for (int i = 0; i < 8; ++i) channels.push_back(mixer.AllocChannel());

    std::atomic<bool> done{false};
    std::atomic<uint64_t> passes{0};
    std::thread audio([&] {
        std::vector<int16_t> out(kMixValues);
        while (!done.load()) {
            mixer.Mix(out.data(), kMixFrames, static_cast<double>(passes.load()) * kMixFrames / kOutputHertz);
            passes.fetch_add(1);
        }
    });

    uint64_t started = 0, refused = 0;
    std::mt19937 random(12345);
    // Rounds of changes until the audio thread has mixed 50 passes among
    // them: counted, not timed, so a busy machine only makes it slower.
    for (int round = 0; round < 400 || passes.load() < 50; ++round) {
        mixer.BeginFrame(static_cast<double>(passes.load()) * kMixFrames / kOutputHertz);
        for (int i = 0; i < 64; ++i) {
            int32_t channel = channels[random() % channels.size()];
            TMixSound* sound = sounds[random() % 4];
            switch (random() % 8) {
                case 0: mixer.Stop(channel); break;
                case 1: mixer.SetPaused(channel, random() % 2); break;
                case 2: mixer.SetVolume(channel, static_cast<int16_t>(random() % 4097)); break;
                case 3: mixer.SetPan(channel, static_cast<int16_t>(static_cast<int>(random() % 8193) - 4096)); break;
                case 4: mixer.SetRate(channel, static_cast<int32_t>(32768 + random() % 98304)); break;
                case 5: (void)mixer.Playing(channel); break;
                case 6: {
                    // A play on a handle of its own, of a sound that ends.
                    TMixSound* once = random() % 2 ? sounds[0] : sounds[3];
                    if (mixer.StartVoice(once, false, 0)) ++started;
                    else ++refused;
                    break;
                }
                default:
                    if (mixer.StartVoice(sound, false, channel)) ++started;
                    else ++refused;
                    break;
            }
        }
        std::this_thread::yield();
    }
    done.store(true);
    audio.join();
    EXPECT_GT(passes.load(), 10u);
    EXPECT_GT(started, 1000u);

    // Now alone with the mixer: every started voice has reached it or does
    // at the next pass.
    std::vector<int16_t> out(kMixValues);
    mixer.MixPass(out.data());
    EXPECT_EQ(mixer.VoicesReceived(), started) << refused << " refused";

    // Stopped and replaced voices are freed; only the channels' own remain
    // (plus own-handle ones until their records are reused).
    for (int32_t channel : channels) mixer.StartVoice(sounds[3], false, channel);
    for (int i = 0; i < 3; ++i) mixer.MixPass(out.data());
    EXPECT_LE(mixer.ActiveVoices(), static_cast<int32_t>(channels.size()) + 16);
    for (TMixSound* sound : sounds) EXPECT_LE(sound->RefCount(), 1 + 16);

    // And the mixer still plays what it is given.
    mixer.SetVolume(channels[0], kFullVolume);
    mixer.SetPan(channels[0], 0);
    mixer.SetRate(channels[0], kNormalRate);
    mixer.StartVoice(sounds[2], false, channels[0]);
    mixer.MixPass(out.data());
    EXPECT_EQ(out[0], 7);
    for (TMixSound* sound : sounds) sound->Release();
}

}  // namespace
}  // namespace tuublark
