#include "engine/audio/mixer.h"

#include <algorithm>
#include <cmath>

namespace tuublark {

TMixer::~TMixer() {
    // Every voice record is in exactly one of these places, except attached
    // voices that were handed over, which are also in one of the lists (so
    // the slots go first, while those records still exist).
    for (int32_t i = 1; i < kChannelSlots; ++i) {
        TVoice* voice = channels_.Slot(i).Voice;
        if (voice && !voice->HandedOver) DeleteVoice(voice);
    }
    auto deleteList = [this](TVoice* voice) {
        while (voice) {
            TVoice* next = voice->Next;
            if (voice->Sound) voice->Sound->Release();
            DeleteVoice(voice);
            voice = next;
        }
    };
    deleteList(active_);
    deleteList(overflow_);
    deleteList(idleVoices_);
    while (TVoice* voice = started_.Pop()) {
        voice->Next = nullptr;
        deleteList(voice);
    }
    while (TVoice* voice = spare_.Pop()) {
        voice->Next = nullptr;
        deleteList(voice);
    }
}

TVoice* TMixer::NewVoice() {
    voiceRecords_.fetch_add(1, std::memory_order_relaxed);
    return new TVoice;
}

void TMixer::DeleteVoice(TVoice* voice) {
    voiceRecords_.fetch_sub(1, std::memory_order_relaxed);
    delete voice;
}

// A voice for the game thread to set up: a recycled idle one, one the mixer
// gave back, or a new record.
TVoice* TMixer::TakeVoice() {
    TVoice* voice = idleVoices_;
    if (voice) {
        idleVoices_ = voice->Next;
    } else {
        voice = spare_.Pop();
        if (!voice) voice = NewVoice();
    }
    voice->Next = nullptr;
    ReleaseOwnedSlot(voice);
    return voice;
}

// A voice that played on a handle of its own frees that handle's slot when
// it is reused, stopping whatever plays there now.
void TMixer::ReleaseOwnedSlot(TVoice* voice) {
    int32_t handle = voice->OwnHandle.exchange(0, std::memory_order_relaxed);
    if (handle == 0) return;
    TChannelSlot* slot = channels_.Find(handle);
    if (!slot) return;
    TVoice* attached = slot->Voice;
    slot->Voice = nullptr;
    channels_.Release(handle);
    if (attached && attached != voice) Retire(attached);
}

// A voice that left its channel: nothing refers to it any more. The mixer
// frees one that it has seen at its next pass; an idle one is kept here.
void TMixer::Retire(TVoice* voice) {
    if (!voice->HandedOver) {
        voice->Next = idleVoices_;
        idleVoices_ = voice;
        return;
    }
    voice->Status.store(VoiceFree, std::memory_order_release);
}

TVoice* TMixer::LookUp(int32_t handle, bool attachIdle) {
    TChannelSlot* slot = channels_.Find(handle);
    if (!slot) return nullptr;
    if (!slot->Voice && attachIdle) {
        TVoice* voice = TakeVoice();
        // TakeVoice may have released slots; this one is not owned by any
        // voice (its owner is attached to it), so it is still ours.
        voice->Status.store(VoiceStopped, std::memory_order_relaxed);
        voice->Sound = nullptr;
        voice->HandedOver = false;
        voice->Rate = kNormalRate;
        voice->Volume = kFullVolume;
        voice->Pan = voice->Depth = 0;
        voice->TargetRate.store(kNormalRate, std::memory_order_relaxed);
        voice->TargetVolume.store(kFullVolume, std::memory_order_relaxed);
        voice->TargetPan.store(0, std::memory_order_relaxed);
        voice->TargetDepth.store(0, std::memory_order_relaxed);
        slot->Voice = voice;
    }
    return slot->Voice;
}

int32_t TMixer::StartVoice(TMixSound* sound, bool paused, int32_t handle) {
    if (!sound || started_.Full()) return 0;

    // The new voice first: reusing it may free the slot `handle` names, in
    // which case the play goes to a new handle below.
    TVoice* voice = TakeVoice();

    bool allocated = false;
    TChannelSlot* slot = channels_.Find(handle);
    if (!slot) {
        handle = channels_.Allocate();
        slot = channels_.Find(handle);
        if (!slot) {
            voice->HandedOver = false;
            voice->Next = idleVoices_;
            idleVoices_ = voice;
            return 0;
        }
        allocated = true;
    }
    TVoice* old = slot->Voice;

    // The channel's settings carry over from one play to the next.
    int32_t rate = kNormalRate;
    int16_t volume = kFullVolume, pan = 0, depth = 0;
    if (old) {
        rate = old->TargetRate.load(std::memory_order_relaxed);
        volume = old->TargetVolume.load(std::memory_order_relaxed);
        pan = old->TargetPan.load(std::memory_order_relaxed);
        depth = old->TargetDepth.load(std::memory_order_relaxed);
    }
    voice->Rate = rate;
    voice->Volume = volume;
    voice->Pan = pan;
    voice->Depth = depth;
    voice->Step = MixStep(rate, sound->Hertz);
    voice->Volume8 = volume * 256;
    voice->RampLeft = 0;
    voice->StartFrame = frameClock_.StartFrame();
    voice->CalledAt = frameClock_.TickOutput();
    voice->Heard = false;
    voice->TargetRate.store(rate, std::memory_order_relaxed);
    voice->TargetVolume.store(volume, std::memory_order_relaxed);
    voice->TargetPan.store(pan, std::memory_order_relaxed);
    voice->TargetDepth.store(depth, std::memory_order_relaxed);

    sound->AddRef();
    voice->Sound = sound;
    int32_t status = sound->LoopFlag ? VoiceLooping : VoicePlayOnce;
    if (paused) status |= VoicePausedFlag;
    voice->Status.store(status, std::memory_order_relaxed);
    voice->Position = 0;
    // A handle of its own passes from the replaced voice to its successor,
    // so that it is freed when the last play on it is over.
    int32_t own = allocated ? handle : (old ? old->OwnHandle.exchange(0, std::memory_order_relaxed) : 0);
    voice->OwnHandle.store(own, std::memory_order_relaxed);
    voice->HandedOver = true;
    started_.Push(voice);  // cannot fail: checked above, and only we push

    if (old) Retire(old);
    slot->Voice = voice;
    return handle;
}

void TMixer::Stop(int32_t handle) {
    TVoice* voice = LookUp(handle, false);
    if (!voice) return;
    // A play on a handle of its own is over for good: its voice and slot
    // are reclaimed as a replaced voice's are.
    if (voice->OwnHandle.load(std::memory_order_relaxed) == handle) {
        ReleaseOwnedSlot(voice);
        Retire(voice);
        return;
    }
    int32_t status = voice->Status.load(std::memory_order_relaxed);
    while (status != VoiceFree && status != VoiceStopped &&
           !voice->Status.compare_exchange_weak(status, VoiceStopped, std::memory_order_relaxed)) {
    }
}

void TMixer::SetPaused(int32_t handle, bool paused) {
    TVoice* voice = LookUp(handle, false);
    if (!voice) return;
    // Only a voice that plays can be paused: a stopped one must keep
    // reading as not playing.
    int32_t status = voice->Status.load(std::memory_order_relaxed);
    while ((status & ~VoicePausedFlag) >= VoicePlayOnce) {
        int32_t wanted = paused ? (status | VoicePausedFlag) : (status & ~VoicePausedFlag);
        if (wanted == status || voice->Status.compare_exchange_weak(status, wanted, std::memory_order_relaxed)) break;
    }
}

void TMixer::SetRate(int32_t handle, int32_t rate) {
    if (TVoice* voice = LookUp(handle, true)) voice->TargetRate.store(rate, std::memory_order_relaxed);
}

void TMixer::SetVolume(int32_t handle, int16_t volume) {
    if (TVoice* voice = LookUp(handle, true)) voice->TargetVolume.store(volume, std::memory_order_relaxed);
}

void TMixer::SetPan(int32_t handle, int16_t pan) {
    if (TVoice* voice = LookUp(handle, true)) voice->TargetPan.store(pan, std::memory_order_relaxed);
}

void TMixer::SetDepth(int32_t handle, int16_t depth) {
    if (TVoice* voice = LookUp(handle, true)) voice->TargetDepth.store(depth, std::memory_order_relaxed);
}

int32_t TMixer::Status(int32_t handle) {
    TVoice* voice = LookUp(handle, false);
    return voice ? voice->Status.load(std::memory_order_relaxed) : 0;
}

int32_t TMixer::Playing(int32_t handle) { return Status(handle) >= VoicePlayOnce ? 1 : 0; }

// Audio thread: a voice leaves the active list for the spare pool.
void TMixer::FreeVoice(TVoice* voice) {
    voice->Sound->Release();
    voice->Sound = nullptr;
    voice->Next = nullptr;
    if (!spare_.Push(voice)) {
        voice->Next = overflow_;
        overflow_ = voice;
    }
}

void TMixer::BeginFrame(double now) {
    const int32_t latency = requestedLatency_.load();
    if (latency > 0 && latency != frameClock_.Latency()) frameClock_.SetLatency(latency);
    double output = OutputClockAt(now);
    if (output >= 0) frameClock_.Tick(output);
}

void TMixer::Mix(int16_t* out, int32_t frames, double now) {
    frames = std::clamp(frames, 0, kMixFrames);
    const int64_t blockStart = mixedFrames_.load(std::memory_order_relaxed);
    if (now >= 0) outputClock_.Stamp(now, blockStart, frames);

    while (overflow_ && !spare_.Full()) {
        TVoice* voice = overflow_;
        overflow_ = voice->Next;
        voice->Next = nullptr;
        spare_.Push(voice);
    }
    while (TVoice* voice = started_.Pop()) {
        voice->Next = active_;
        active_ = voice;
        voicesReceived_.fetch_add(1, std::memory_order_relaxed);
        if (voice->StartFrame < blockStart && voice->StartFrame > 0) {
            lateStarts_.fetch_add(1, std::memory_order_relaxed);
            int64_t late = blockStart - voice->StartFrame;
            if (late > worstLate_.load(std::memory_order_relaxed)) worstLate_.store(late, std::memory_order_relaxed);
        }
    }

    int32_t* accumulator = accumulator_.data();
    TVoice** link = &active_;
    while (TVoice* voice = *link) {
        int32_t result = MixVoice(*voice, accumulator, frames, blockStart);
        if (!voice->Heard && voice->Position > 0) {
            voice->Heard = true;
            if (voice->CalledAt >= 0) NoteLatency(std::max(voice->StartFrame, blockStart) - voice->CalledAt);
        }
        if (result == -1) {
            *link = voice->Next;
            FreeVoice(voice);
            continue;
        }
        if (result == 1) {
            // Ended: kept as stopped on its channel, or freed at the next
            // pass when it played on a handle of its own. The game thread may
            // have retired it meanwhile; then it stays free.
            int32_t ended = voice->OwnHandle.load(std::memory_order_relaxed) ? VoiceFree : VoiceStopped;
            int32_t status = voice->Status.load(std::memory_order_relaxed);
            while (status != VoiceFree &&
                   !voice->Status.compare_exchange_weak(status, ended, std::memory_order_relaxed)) {
            }
        }
        link = &voice->Next;
    }

    for (int32_t i = 0; i < frames * 2; ++i) {
        int32_t value = accumulator[i] >> 4;
        out[i] = static_cast<int16_t>(std::clamp(value, -32768, 32767));
        accumulator[i] = 0;
    }
    mixedFrames_.store(blockStart + frames, std::memory_order_relaxed);
}

void TMixer::NoteLatency(double frames) {
    latencyCount_.fetch_add(1, std::memory_order_relaxed);
    latencySum_.store(latencySum_.load(std::memory_order_relaxed) + frames, std::memory_order_relaxed);
    if (frames > worstLatency_.load(std::memory_order_relaxed))
        worstLatency_.store(static_cast<int64_t>(std::ceil(frames)), std::memory_order_relaxed);
}

int32_t TMixer::ActiveVoices() const {
    int32_t count = 0;
    for (const TVoice* voice = active_; voice; voice = voice->Next) ++count;
    return count;
}

}  // namespace tuublark
