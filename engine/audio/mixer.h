// The software mixer: channel handles, voices and the mix pass.
//
// Two threads use a mixer. The game thread starts voices, allocates
// channels and changes channel settings; the audio thread runs MixPass.
// They share no lock: started voices travel to the mixer through one ring,
// finished voices come back through another, and the remaining shared
// fields are single atomics (see voice.h).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "engine/audio/channel_table.h"
#include "engine/audio/frame_clock.h"
#include "engine/audio/mix_sound.h"
#include "engine/audio/output_clock.h"
#include "engine/audio/voice.h"
#include "engine/audio/voice_ring.h"

namespace tuublark {

constexpr int32_t kOutputHertz = 44100;
constexpr int32_t kMixFrames = 4096;            // the most one mix call makes
constexpr int32_t kMixValues = kMixFrames * 2;  // interleaved left, right
// A volume or rate change glides to its new value over this many frames.
constexpr int32_t kRampFrames = 4096;
constexpr uint32_t kVoiceRingSize = 4096;

class TMixer {
public:
    TMixer() = default;
    // Must not run while a mix pass does.
    ~TMixer();

    TMixer(const TMixer&) = delete;
    TMixer& operator=(const TMixer&) = delete;

    // --- game thread ---

    // Starts `sound` on the channel `handle`, or on a newly allocated one
    // when `handle` is 0 or no longer valid. Returns the handle it plays
    // on, or 0 when no handle could be had or too many voices wait for the
    // next mix pass. The voice begins at the output frame the frame clock
    // gives the current game frame.
    int32_t StartVoice(TMixSound* sound, bool paused, int32_t handle);
    // A new game frame begins at `now` (seconds on the clock the output
    // stamps its mix calls with): moves the frame clock on.
    void BeginFrame(double now);
    void SetLatency(int32_t frames) { frameClock_.SetLatency(frames); }
    // Any thread: a latency the frame clock takes up at the next frame.
    void RequestLatency(int32_t frames) { requestedLatency_.store(frames); }
    const TFrameClock& FrameClock() const { return frameClock_; }
    // Where the output clock stands at `now`, in output frames (see
    // TOutputClock); -1 before the first mix call with a time.
    double OutputClockAt(double now) const { return outputClock_.At(now); }
    // A fresh channel handle, 0 when all 4095 slots are taken.
    int32_t AllocChannel() { return channels_.Allocate(); }

    // Operations on a channel; a stale handle does nothing.
    void Stop(int32_t handle);
    void SetPaused(int32_t handle, bool paused);
    void SetRate(int32_t handle, int32_t rate);
    void SetVolume(int32_t handle, int16_t volume);
    void SetPan(int32_t handle, int16_t pan);
    void SetDepth(int32_t handle, int16_t depth);
    // 1 while the channel's voice plays (paused counts), else 0.
    int32_t Playing(int32_t handle);
    // The status of the channel's voice; 0 for a stale handle.
    int32_t Status(int32_t handle);

    // --- audio thread ---

    // Mixes the next kMixFrames stereo frames into `out` (kMixValues values).
    void MixPass(int16_t* out) { Mix(out, kMixFrames, -1.0); }
    // Mixes the next `frames` (1..kMixFrames) stereo frames; `now`, when not
    // negative, is when the output asked for them (see OutputClockAt).
    void Mix(int16_t* out, int32_t frames, double now);
    // The output starts again after a gap in its calls (reopened, or
    // resumed from a pause): its clock forgets the earlier calls.
    void RestartClock() { outputClock_.Restart(); }
    // Output frames mixed so far.
    int64_t MixedFrames() const { return mixedFrames_.load(std::memory_order_relaxed); }
    // Voices whose first sample came after the frame they were due at (the
    // start reached the mixer too late), and the latest such delay.
    int64_t LateStarts() const { return lateStarts_.load(std::memory_order_relaxed); }
    int64_t WorstLateFrames() const { return worstLate_.load(std::memory_order_relaxed); }
    // From the start of the frame that played a sound to its first sample
    // in the output, in output frames: the most, and the sum over
    // LatencyCount sounds.
    int64_t WorstLatencyFrames() const { return worstLatency_.load(std::memory_order_relaxed); }
    double LatencySum() const { return latencySum_.load(std::memory_order_relaxed); }
    int64_t LatencyCount() const { return latencyCount_.load(std::memory_order_relaxed); }
    // Voices in the active list (audio thread, or when no pass runs).
    int32_t ActiveVoices() const;

    // Voices taken from the started ring so far.
    uint64_t VoicesReceived() const { return voicesReceived_.load(std::memory_order_relaxed); }
    // Voice records that exist now, for checks that nothing piles up.
    int32_t VoiceRecords() const { return voiceRecords_.load(std::memory_order_relaxed); }

private:
    TVoice* NewVoice();
    void DeleteVoice(TVoice* voice);
    TVoice* TakeVoice();
    TVoice* LookUp(int32_t handle, bool attachIdle);
    void ReleaseOwnedSlot(TVoice* voice);
    void Retire(TVoice* voice);
    void FreeVoice(TVoice* voice);
    void NoteLatency(double frames);

    // Game thread.
    TChannelTable channels_;
    TFrameClock frameClock_;
    TVoice* idleVoices_ = nullptr;  // never handed over; linked through Next

    // Shared.
    TVoiceRing<kVoiceRingSize> started_;  // game -> mixer
    TVoiceRing<kVoiceRingSize> spare_;    // mixer -> game
    std::atomic<int32_t> voiceRecords_{0};
    TOutputClock outputClock_;  // stamped by the audio thread
    std::atomic<int32_t> requestedLatency_{0};
    std::atomic<int64_t> mixedFrames_{0};
    std::atomic<int64_t> lateStarts_{0};
    std::atomic<int64_t> worstLate_{0};
    std::atomic<int64_t> worstLatency_{0};
    std::atomic<double> latencySum_{0.0};
    std::atomic<int64_t> latencyCount_{0};

    // Audio thread.
    TVoice* active_ = nullptr;
    std::atomic<uint64_t> voicesReceived_{0};
    TVoice* overflow_ = nullptr;  // freed voices waiting for room in spare_
    std::array<int32_t, kMixValues> accumulator_{};
};

// Mixes one voice into `accumulator` for the `frames` frames from output
// frame `blockStart` on. Returns -1 for a free voice, -2 for a paused one, 1
// when a play-once sound reached its end, else 0.
int32_t MixVoice(TVoice& voice, int32_t* accumulator, int32_t frames, int64_t blockStart);
// Source position step per output frame, in 32.32 interleaved values.
int64_t MixStep(int32_t rate, int32_t hertz);

}  // namespace tuublark
