#include "engine/platform/sdl_audio.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include "engine/audio/mixer.h"
#include "engine/audio/mixer_driver.h"

namespace tuublark {
namespace {

struct TSdlOutput {
    std::shared_ptr<TMixer> Mixer = std::make_shared<TMixer>();
    std::atomic<SDL_AudioDeviceID> Device{0};
    std::atomic<bool> Paused{false};

    // Set by the event watch, handled by the reopening thread.
    std::atomic<bool> Lost{false};
    std::atomic<bool> Added{false};
    std::atomic<bool> Shutdown{false};
    std::atomic<int32_t> Reopens{0};
    uint16_t DeviceFrames = kMixFrames;
    std::mutex WakeMutex;
    std::condition_variable Wake;
    std::thread Reopener;

    // Audio thread: the last mixed block and how much of it went out.
    std::array<int16_t, kMixValues> Block{};
    size_t BlockOffset = kMixValues;
};

// Owned here and never by a static object, so that it outlives whatever
// static destructors run before the exit-time CloseSdlAudio.
TSdlOutput* g_output = nullptr;

void SDLCALL FillAudio(void* userdata, Uint8* stream, int length) {
    TSdlOutput& out = *static_cast<TSdlOutput*>(userdata);
    if (out.Paused.load(std::memory_order_relaxed)) {
        std::memset(stream, 0, static_cast<size_t>(length));
        return;
    }
    // The device asks for 4096 frames at a time; any other size is served
    // from whole mix passes all the same.
    size_t wanted = static_cast<size_t>(length) / sizeof(int16_t);
    auto* dest = reinterpret_cast<int16_t*>(stream);
    while (wanted > 0) {
        if (out.BlockOffset == out.Block.size()) {
            out.Mixer->MixPass(out.Block.data());
            out.BlockOffset = 0;
        }
        size_t count = std::min(wanted, out.Block.size() - out.BlockOffset);
        std::memcpy(dest, out.Block.data() + out.BlockOffset, count * sizeof(int16_t));
        out.BlockOffset += count;
        dest += count;
        wanted -= count;
    }
}

SDL_AudioDeviceID OpenDevice(TSdlOutput& out) {
    SDL_AudioSpec want{};
    want.freq = kOutputHertz;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = out.DeviceFrames;
    want.callback = FillAudio;
    want.userdata = &out;
    SDL_AudioSpec have{};
    // No allowed changes: SDL converts to whatever the device takes.
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device != 0) SDL_PauseAudioDevice(device, 0);
    return device;
}

// Runs inside SDL_PushEvent, possibly on the dying device's own audio
// thread: it only raises flags.
int SDLCALL WatchDevices(void* userdata, SDL_Event* event) {
    TSdlOutput& out = *static_cast<TSdlOutput*>(userdata);
    if (event->type == SDL_AUDIODEVICEREMOVED && !event->adevice.iscapture &&
        event->adevice.which == out.Device.load()) {
        out.Lost.store(true);
        out.Wake.notify_one();
    } else if (event->type == SDL_AUDIODEVICEADDED && !event->adevice.iscapture) {
        out.Added.store(true);
        out.Wake.notify_one();
    }
    return 0;
}

// Closes a lost device and opens the default one again, retrying each
// second and whenever a device appears while none is open. Closing waits
// for the old audio thread to end, so the two callbacks never mix at once.
void ReopenLoop(TSdlOutput& out) {
    std::unique_lock<std::mutex> lock(out.WakeMutex);
    while (!out.Shutdown.load()) {
        out.Wake.wait_for(lock, std::chrono::seconds(1),
                          [&] { return out.Lost.load() || out.Added.load() || out.Shutdown.load(); });
        if (out.Shutdown.load()) break;
        out.Added.store(false);
        if (out.Lost.exchange(false)) {
            SDL_AudioDeviceID lost = out.Device.exchange(0);
            if (lost != 0) SDL_CloseAudioDevice(lost);
        }
        if (out.Device.load() == 0) {
            SDL_AudioDeviceID device = OpenDevice(out);
            if (device != 0) {
                out.Device.store(device);
                out.Reopens.fetch_add(1);
                std::fprintf(stderr, "tuublark: audio device lost; playing on the default device again\n");
            }
        }
    }
}

}  // namespace

// The power of two of frames closest to `latencyMs` at the output rate.
static uint16_t FramesForLatency(int32_t latencyMs) {
    if (latencyMs <= 0) return kMixFrames;
    int32_t wanted = latencyMs * kOutputHertz / 1000;
    uint16_t frames = 256;
    while (frames < 8192 && frames * 3 / 2 < wanted) frames *= 2;
    return frames;
}

bool OpenSdlAudio(int32_t latencyMs) {
    if (g_output) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "tuublark: no audio (%s); playing silently\n", SDL_GetError());
        return false;
    }
    auto out = std::make_unique<TSdlOutput>();
    out->DeviceFrames = FramesForLatency(latencyMs);
    SDL_AudioDeviceID device = OpenDevice(*out);
    if (device == 0) {
        std::fprintf(stderr, "tuublark: no audio device (%s); playing silently\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    out->Device.store(device);
    SDL_AddEventWatch(WatchDevices, out.get());
    TSdlOutput& ref = *out;
    out->Reopener = std::thread([&ref] { ReopenLoop(ref); });
    SetAudioDriver(std::make_unique<TMixerAudioDriver>(out->Mixer));
    g_output = out.release();
    return true;
}

void CloseSdlAudio() {
    TSdlOutput* out = g_output;
    if (!out) return;
    g_output = nullptr;
    SDL_DelEventWatch(WatchDevices, out);
    {
        std::lock_guard<std::mutex> lock(out->WakeMutex);
        out->Shutdown.store(true);
    }
    out->Wake.notify_one();
    out->Reopener.join();
    SDL_AudioDeviceID device = out->Device.exchange(0);
    if (device != 0) SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    // Sounds and channels still held by the game keep the mixer alive.
    delete out;
}

void PauseSdlAudio(bool paused) {
    if (g_output) g_output->Paused.store(paused, std::memory_order_relaxed);
}

uint32_t SdlAudioDevice() { return g_output ? g_output->Device.load() : 0; }

int32_t SdlAudioReopenCount() { return g_output ? g_output->Reopens.load() : 0; }

}  // namespace tuublark
