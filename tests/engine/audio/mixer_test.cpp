// The mix pass on exact sample values, channel handles and voice reuse.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/audio/mixer.h"
#include "engine/audio/mixer_driver.h"

namespace tuublark {
namespace {

class MixerTest : public ::testing::Test {
protected:
    std::shared_ptr<TMixer> mixer = std::make_shared<TMixer>();
    TMixerAudioDriver driver{mixer};

    // A sound of 16-bit values, one per frame (mono) or interleaved (stereo).
    SoundRef MakeSound(const std::vector<int16_t>& values, int32_t hertz, int32_t format, int32_t flags = 0) {
        TAudioSample sample(static_cast<int32_t>(values.size() / (format == SampleFormatStereo16LE ? 2 : 1)), hertz,
                            format);
        for (size_t i = 0; i < values.size(); ++i) {
            sample.Samples[2 * i] = static_cast<uint8_t>(values[i]);
            sample.Samples[2 * i + 1] = static_cast<uint8_t>(static_cast<uint16_t>(values[i]) >> 8);
        }
        return driver.CreateSound(sample, flags);
    }
    SoundRef Constant(int16_t value, int32_t frames, int32_t flags = 0) {
        return MakeSound(std::vector<int16_t>(static_cast<size_t>(frames), value), kOutputHertz, SampleFormatMono16LE,
                         flags);
    }
    // Frame i holds value i (mod 32768) on both sides.
    SoundRef Ramp(int32_t frames, int32_t flags = 0) {
        std::vector<int16_t> values;
        for (int32_t i = 0; i < frames; ++i) values.push_back(static_cast<int16_t>(i % 32768));
        return MakeSound(values, kOutputHertz, SampleFormatMono16LE, flags);
    }

    std::vector<int16_t> Mix() {
        std::vector<int16_t> out(kMixValues);
        mixer->MixPass(out.data());
        return out;
    }
    static int16_t Left(const std::vector<int16_t>& out, int frame) { return out[static_cast<size_t>(2 * frame)]; }
    static int16_t Right(const std::vector<int16_t>& out, int frame) { return out[static_cast<size_t>(2 * frame + 1)]; }
};

TEST_F(MixerTest, HalfRateMonoUsesEachSourceFrameForTwoOutputFrames) {
    std::vector<int16_t> values;
    for (int i = 0; i < 3000; ++i) values.push_back(static_cast<int16_t>(i * 7 - 9000));
    SoundRef sound = MakeSound(values, 22050, SampleFormatMono16LE);
    ChannelRef channel = driver.AllocChannel();
    ASSERT_EQ(PlaySound(sound, channel), channel);

    std::vector<int16_t> first = Mix(), second = Mix();
    for (int k = 0; k < kMixFrames; ++k) {
        ASSERT_EQ(Left(first, k), values[static_cast<size_t>(k / 2)]) << "frame " << k;
        ASSERT_EQ(Right(first, k), values[static_cast<size_t>(k / 2)]) << "frame " << k;
    }
    // 3000 source frames last 6000 output frames, then silence.
    for (int k = 0; k < kMixFrames; ++k) {
        int source = (kMixFrames + k) / 2;
        ASSERT_EQ(Left(second, k), source < 3000 ? values[static_cast<size_t>(source)] : 0) << "frame " << k;
    }
    EXPECT_EQ(ChannelPlaying(channel), 0);
}

TEST_F(MixerTest, PlayOnceEndsAtItsLastFrameAndTheChannelStopsPlaying) {
    SoundRef sound = Ramp(1000);
    ChannelRef channel = driver.AllocChannel();
    PlaySound(sound, channel);
    EXPECT_EQ(ChannelPlaying(channel), 1);

    std::vector<int16_t> out = Mix();
    for (int k = 0; k < 1000; ++k) ASSERT_EQ(Left(out, k), k);
    for (int k = 1000; k < kMixFrames; ++k) ASSERT_EQ(Left(out, k), 0) << "frame " << k;
    EXPECT_EQ(ChannelPlaying(channel), 0);
    EXPECT_EQ(mixer->Status(static_cast<TMixerChannel&>(*channel).Handle()), VoiceStopped);
    // A stopped voice stays on its channel and stays silent.
    std::vector<int16_t> next = Mix();
    EXPECT_EQ(next, std::vector<int16_t>(kMixValues, 0));
}

TEST_F(MixerTest, LoopWrapsWithoutAGapAcrossBlocks) {
    SoundRef sound = Ramp(100, 1);
    ChannelRef channel = driver.AllocChannel();
    PlaySound(sound, channel);
    for (int pass = 0; pass < 3; ++pass) {
        std::vector<int16_t> out = Mix();
        for (int k = 0; k < kMixFrames; ++k) ASSERT_EQ(Left(out, k), (pass * kMixFrames + k) % 100) << pass << ":" << k;
    }
    EXPECT_EQ(ChannelPlaying(channel), 1);
}

TEST_F(MixerTest, TwoFullScaleVoicesClipInsteadOfWrapping) {
    SoundRef high = Constant(32767, 5000), low = Constant(-32768, 5000);
    ChannelRef a = driver.AllocChannel(), b = driver.AllocChannel();
    PlaySound(high, a);
    PlaySound(high, b);
    std::vector<int16_t> out = Mix();
    EXPECT_EQ(Left(out, 0), 32767);
    EXPECT_EQ(Right(out, 100), 32767);
    PlaySound(low, a);
    PlaySound(low, b);
    out = Mix();
    EXPECT_EQ(Left(out, 0), -32768);
    EXPECT_EQ(Right(out, 4095), -32768);
}

TEST_F(MixerTest, VolumeRampsLinearlyAcrossOneBlockWhilePanAndDepthApplyAtOnce) {
    SoundRef sound = Constant(16000, 100000, 1);
    ChannelRef channel = driver.AllocChannel();
    SetChannelVolume(channel, 0.0f);
    PlaySound(sound, channel);
    EXPECT_EQ(Mix(), std::vector<int16_t>(kMixValues, 0));

    SetChannelVolume(channel, 1.0f);  // 0 -> 4096 over 4096 frames: volume k at frame k
    std::vector<int16_t> out = Mix();
    for (int k = 0; k < kMixFrames; ++k) {
        int16_t expected = static_cast<int16_t>(((16000 * k) >> 8) >> 4);
        ASSERT_EQ(Left(out, k), expected) << "frame " << k;
        ASSERT_EQ(Right(out, k), expected) << "frame " << k;
    }
    out = Mix();
    EXPECT_EQ(Left(out, 0), 16000);
    EXPECT_EQ(Left(out, 4095), 16000);

    SetChannelPan(channel, 0.5f);  // left gain halves
    out = Mix();
    EXPECT_EQ(Left(out, 0), 8000);
    EXPECT_EQ(Right(out, 0), 16000);
    SetChannelPan(channel, -1.0f);  // right silent
    SetChannelDepth(channel, -1.0f);
    out = Mix();
    EXPECT_EQ(Left(out, 10), 16000);
    EXPECT_EQ(Right(out, 10), 0);
    SetChannelPan(channel, 0.0f);  // negative depth inverts the right side
    out = Mix();
    EXPECT_EQ(Left(out, 10), 16000);
    EXPECT_EQ(Right(out, 10), -16000);
}

TEST_F(MixerTest, RateRampsAcrossOneBlockThenHoldsTheNewSpeed) {
    SoundRef sound = Ramp(30000);
    ChannelRef channel = driver.AllocChannel();
    PlaySound(sound, channel);
    Mix();  // frames 0..4095 at normal speed
    SetChannelRate(channel, 2.0f);
    std::vector<int16_t> out = Mix();
    // The step grows from 2 to 4 values per frame by 2^21/2^32 each frame.
    uint64_t position = uint64_t{kMixFrames} * 2 << 32;
    uint64_t step = uint64_t{2} << 32;
    for (int k = 0; k < kMixFrames; ++k) {
        ASSERT_EQ(Left(out, k), static_cast<int16_t>((position >> 32) / 2)) << "frame " << k;
        position += step;
        step += uint64_t{1} << 21;
    }
    out = Mix();
    int first = Left(out, 0);
    EXPECT_EQ(first, static_cast<int16_t>((position >> 32) / 2));
    for (int k = 1; k < 100; ++k) ASSERT_EQ(Left(out, k), first + 2 * k);
}

TEST_F(MixerTest, VolumeSetBeforeTheFirstPlayCarriesOverToEveryPlay) {
    SoundRef sound = Constant(10000, 50);
    ChannelRef channel = driver.AllocChannel();
    SetChannelVolume(channel, 0.7f);
    SetChannelPan(channel, 0.25f);
    const int16_t right = static_cast<int16_t>(((10000 * 2867) >> 8) >> 4);
    const int16_t left = static_cast<int16_t>(((10000 * ((2867 * (4096 - 1024)) >> 12)) >> 8) >> 4);
    for (int play = 0; play < 3; ++play) {
        PlaySound(sound, channel);
        std::vector<int16_t> out = Mix();
        ASSERT_EQ(Right(out, 0), right) << "play " << play;
        ASSERT_EQ(Left(out, 49), left) << "play " << play;
        ASSERT_EQ(Left(out, 50), 0);
    }
}

TEST_F(MixerTest, PlayingAgainCutsOffTheSoundAndStartsFromTheBeginning) {
    SoundRef sound = Ramp(20000);
    ChannelRef channel = driver.AllocChannel();
    PlaySound(sound, channel);
    Mix();
    EXPECT_EQ(PlaySound(sound, channel), channel);
    std::vector<int16_t> out = Mix();
    for (int k = 0; k < kMixFrames; ++k) ASSERT_EQ(Left(out, k), k) << "only the new start sounds, frame " << k;
}

TEST_F(MixerTest, StopPauseAndCue) {
    SoundRef sound = Ramp(20000);
    ChannelRef channel = driver.AllocChannel();
    StopChannel(channel);  // never played: nothing happens
    EXPECT_EQ(ChannelPlaying(channel), 0);

    ASSERT_EQ(sound->Cue(channel), channel);
    EXPECT_EQ(ChannelPlaying(channel), 1);  // paused counts as playing
    EXPECT_EQ(Mix(), std::vector<int16_t>(kMixValues, 0));
    SetChannelPaused(channel, 0);
    std::vector<int16_t> out = Mix();
    EXPECT_EQ(Left(out, 0), 0);
    EXPECT_EQ(Left(out, 4095), 4095);
    SetChannelPaused(channel, 1);
    EXPECT_EQ(Mix(), std::vector<int16_t>(kMixValues, 0));
    SetChannelPaused(channel, 0);
    EXPECT_EQ(Left(Mix(), 0), 4096);  // resumes where it stopped

    StopChannel(channel);
    EXPECT_EQ(ChannelPlaying(channel), 0);
    EXPECT_EQ(Mix(), std::vector<int16_t>(kMixValues, 0));
    SetChannelPaused(channel, 1);  // pausing a stopped channel leaves it stopped
    EXPECT_EQ(ChannelPlaying(channel), 0);
}

TEST_F(MixerTest, StaleHandleDoesNothingAndReadsAsNotPlaying) {
    SoundRef shortSound = Constant(1000, 10);
    SoundRef loop = Constant(3000, 100, 1);
    // A play without a channel gets a handle of its own ...
    ChannelRef own = PlaySound(shortSound, nullptr);
    ASSERT_TRUE(own);
    int32_t ownHandle = static_cast<TMixerChannel&>(*own).Handle();
    Mix();  // ... ends ...
    EXPECT_EQ(ChannelPlaying(own), 0);
    Mix();  // ... is freed, and reusing its voice frees the handle's slot.
    ChannelRef other = driver.AllocChannel();
    PlaySound(loop, other);
    ChannelRef reused = driver.AllocChannel();
    ASSERT_EQ(static_cast<TMixerChannel&>(*reused).Handle() & kSlotMask, ownHandle & kSlotMask);
    ASSERT_NE(static_cast<TMixerChannel&>(*reused).Handle(), ownHandle);
    PlaySound(loop, reused);

    EXPECT_EQ(ChannelPlaying(own), 0);
    StopChannel(own);
    SetChannelVolume(own, 0.0f);
    EXPECT_EQ(ChannelPlaying(reused), 1);
    std::vector<int16_t> out = Mix();
    EXPECT_EQ(Left(out, 0), 6000);  // both loops, untouched by the stale handle
    EXPECT_EQ(mixer->Playing(static_cast<TMixerChannel&>(*reused).Handle() + kChannelSlots), 0);
}

TEST_F(MixerTest, ReplacedVoicesAreReclaimedAndTheirSoundsReleased) {
    SoundRef music = Constant(100, 50000);
    SoundRef bleep = Constant(50, 300);
    TMixSound& musicData = static_cast<TMixerSound&>(*music).MixSound();
    ChannelRef a = driver.AllocChannel(), b = driver.AllocChannel(), effect = driver.AllocChannel();
    // The game's pattern: the loop restarts every pass on alternating
    // channels, with effects in between, for a long time.
    for (int pass = 0; pass < 2000; ++pass) {
        PlaySound(music, pass % 2 ? a : b);
        if (pass % 3 == 0) PlaySound(bleep, effect);
        if (pass % 7 == 0) PlaySound(bleep, nullptr);
        Mix();
        ASSERT_LE(mixer->VoiceRecords(), 8) << "pass " << pass;
        ASSERT_LE(mixer->ActiveVoices(), 5) << "pass " << pass;
    }
    // Several starts between two passes are reclaimed as well.
    for (int i = 0; i < 100; ++i) PlaySound(music, a);
    Mix();
    Mix();
    EXPECT_LE(mixer->ActiveVoices(), 5);
    EXPECT_EQ(musicData.RefCount(), 3);  // ours, and the voices on a and b
    StopChannel(a);
    StopChannel(b);
    PlaySound(bleep, a);
    PlaySound(bleep, b);
    Mix();
    EXPECT_EQ(musicData.RefCount(), 1);
}

TEST_F(MixerTest, ChannelSlotsRunOutAt4095) {
    std::vector<ChannelRef> channels;
    for (int i = 0; i < 4095; ++i) {
        channels.push_back(driver.AllocChannel());
        ASSERT_TRUE(channels.back()) << i;
    }
    EXPECT_FALSE(driver.AllocChannel());
    SoundRef sound = Constant(1, 10);
    EXPECT_FALSE(PlaySound(sound, nullptr));
    EXPECT_EQ(PlaySound(sound, channels[7]), channels[7]);
}

TEST_F(MixerTest, StoppedPlaysWithoutAChannelGiveBackVoiceAndSlot) {
    SoundRef sound = Constant(1, 100000);
    for (int i = 0; i < 4095; ++i) {
        ChannelRef own = PlaySound(sound, nullptr);
        ASSERT_TRUE(own) << i;
        StopChannel(own);
        EXPECT_EQ(ChannelPlaying(own), 0);
        if (i % 64 == 0) Mix();
    }
    Mix();
    EXPECT_EQ(mixer->ActiveVoices(), 0);
    EXPECT_LE(mixer->VoiceRecords(), 65);
    EXPECT_TRUE(driver.AllocChannel());
}

TEST_F(MixerTest, TooManyStartsBeforeAPassAreRefusedNotLost) {
    SoundRef sound = Constant(1, 100000);
    std::vector<ChannelRef> channels;
    for (int i = 0; i < 100; ++i) channels.push_back(driver.AllocChannel());
    int started = 0;
    for (int i = 0; i < 5000; ++i)
        if (PlaySound(sound, channels[static_cast<size_t>(i % 100)])) ++started;
    EXPECT_EQ(started, static_cast<int>(kVoiceRingSize));
    std::vector<int16_t> out = Mix();
    EXPECT_EQ(Left(out, 0), 100);  // the last start on each channel plays
    EXPECT_EQ(mixer->ActiveVoices(), 100);
    EXPECT_TRUE(PlaySound(sound, channels[0]));
}

}  // namespace
}  // namespace tuublark
