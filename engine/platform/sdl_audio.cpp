#include "engine/platform/sdl_audio.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include "engine/audio/mixer.h"
#include "engine/audio/mixer_driver.h"
#include "engine/runtime/file_open.h"

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
    std::atomic<bool> Grow{false};
    // SDL's dummy driver plays nothing, so it cannot run dry.
    std::atomic<bool> WatchUnderruns{true};
    std::atomic<int32_t> Underruns{0};
    std::atomic<int32_t> Period{512};
    std::atomic<int32_t> Latency{2048};
    std::mutex WakeMutex;
    std::condition_variable Wake;
    std::thread Reopener;

    // Audio thread: when the last callback came (-1: the output starts
    // again), how many came since, and from when gaps count as underruns.
    double LastCallback = -1.0;
    int64_t Calls = 0;
    double WatchFrom = 0.0;
};

// Made by OpenSdlAudio, deleted by CloseSdlAudio; the engine calls that
// when it shuts SDL down, after its drivers are gone.
TSdlOutput* g_output = nullptr;

void SDLCALL FillAudio(void* userdata, Uint8* stream, int length) {
    TSdlOutput& out = *static_cast<TSdlOutput*>(userdata);
    if (out.Paused.load(std::memory_order_relaxed)) {
        out.LastCallback = -1.0;
        std::memset(stream, 0, static_cast<size_t>(length));
        return;
    }
    const double now = SteadySeconds();
    int32_t frames = length / 4;
    if (out.LastCallback < 0) {
        out.Mixer->RestartClock();
        out.Calls = 0;
    }
    // Gaps count from a second after the output's second call: a sound
    // server may take a second to ask again after the first, and the game
    // is still loading. Later than two periods, the device has played out
    // what it had.
    if (++out.Calls == 2) out.WatchFrom = now + 1.0;
    const double period = static_cast<double>(frames) / kOutputHertz;
    if (out.WatchUnderruns.load(std::memory_order_relaxed) && out.Calls > 2 && now > out.WatchFrom &&
        now - out.LastCallback > 2 * period + 0.002) {
        if (out.Underruns.fetch_add(1) == 0) {
            out.Grow.store(true);
            out.Wake.notify_one();
        }
    }
    out.LastCallback = now;
    // Mixed straight into the stream, stamped with the time it was asked
    // for: the mixer's clock runs on the device's.
    auto* dest = reinterpret_cast<int16_t*>(stream);
    while (frames > 0) {
        int32_t count = std::min(frames, kMixFrames);
        out.Mixer->Mix(dest, count, now);
        dest += count * 2;
        frames -= count;
    }
}

SDL_AudioDeviceID OpenDevice(TSdlOutput& out) {
    SDL_AudioSpec want{};
    want.freq = kOutputHertz;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = static_cast<Uint16>(out.Period.load());
    want.callback = FillAudio;
    want.userdata = &out;
    SDL_AudioSpec have{};
    const char* driver = SDL_GetCurrentAudioDriver();
    out.WatchUnderruns.store(!driver || std::strcmp(driver, "dummy") != 0);
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

#ifndef __EMSCRIPTEN__
// Closes a lost device and opens the default one again, retrying each
// second and whenever a device appears while none is open. Closing waits
// for the old audio thread to end, so the two callbacks never mix at once.
void ReopenLoop(TSdlOutput& out) {
    std::unique_lock<std::mutex> lock(out.WakeMutex);
    while (!out.Shutdown.load()) {
        out.Wake.wait_for(lock, std::chrono::seconds(1), [&] {
            return out.Lost.load() || out.Added.load() || out.Grow.load() || out.Shutdown.load();
        });
        if (out.Shutdown.load()) break;
        out.Added.store(false);
        if (out.Grow.exchange(false)) {
            // Once: a period twice as long, and a latency of two periods,
            // so sounds still reach the mixer before their block.
            out.Period.store(out.Period.load() * 2);
            out.Latency.store(std::max(out.Latency.load(), 2 * out.Period.load()));
            out.Mixer->RequestLatency(out.Latency.load());
            std::fprintf(stderr,
                         "tuublark: audio output ran dry; its period grows to %d frames, its latency to %d ms\n",
                         out.Period.load(), out.Latency.load() * 1000 / kOutputHertz);
            SDL_AudioDeviceID dry = out.Device.exchange(0);
            if (dry != 0) SDL_CloseAudioDevice(dry);
            out.LastCallback = -1.0;
            SDL_AudioDeviceID device = OpenDevice(out);
            out.Device.store(device);
            if (device != 0) continue;
        }
        if (out.Lost.exchange(false)) {
            SDL_AudioDeviceID lost = out.Device.exchange(0);
            if (lost != 0) SDL_CloseAudioDevice(lost);
            out.LastCallback = -1.0;
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
#endif

// For benchmarks: the output's timing figures as one JSON object, written
// to the file TUUBLARK_AUDIO_REPORT names when the output closes.
void WriteReport(const TSdlOutput& out) {
    const char* path = std::getenv("TUUBLARK_AUDIO_REPORT");
    if (!path || !*path) return;
    std::FILE* file = OpenFile(path, "w");
    if (!file) return;
    const TFrameClock& clock = out.Mixer->FrameClock();
    std::fprintf(file,
                 "{\"latency_frames\": %d, \"period_frames\": %d, \"underruns\": %d, \"late_starts\": %lld, "
                 "\"worst_late_frames\": %lld, \"drift_corrections\": %lld, \"jumps\": %lld, "
                 "\"sounds\": %lld, \"mean_latency_frames\": %.1f, \"worst_latency_frames\": %lld}\n",
                 out.Latency.load(), out.Period.load(), out.Underruns.load(),
                 static_cast<long long>(out.Mixer->LateStarts()), static_cast<long long>(out.Mixer->WorstLateFrames()),
                 static_cast<long long>(clock.DriftCorrections()), static_cast<long long>(clock.Jumps()),
                 static_cast<long long>(out.Mixer->LatencyCount()),
                 out.Mixer->LatencyCount() ? out.Mixer->LatencySum() / out.Mixer->LatencyCount() : 0.0,
                 static_cast<long long>(out.Mixer->WorstLatencyFrames()));
    std::fclose(file);
}

}  // namespace

bool OpenSdlAudio(int32_t latencyMs) {
    if (g_output) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "tuublark: no audio (%s); playing silently\n", SDL_GetError());
        return false;
    }
    auto out = std::make_unique<TSdlOutput>();
    const double ms = latencyMs > 0 ? std::clamp(latencyMs, 40, 186) : kDefaultAudioLatencyMs;
    out->Latency.store(static_cast<int32_t>(std::lround(ms * kOutputHertz / 1000)));
    // Half the latency, in whole multiples of 10 ms, so that outputs that
    // sleep in milliseconds between periods (SDL's disk writer) keep time.
    // A sound server may hold no more than one period of the game's sound:
    // a quarter of the latency ran dry whenever the machine was busy.
    out->Period.store(kOutputHertz / 100 * std::max(1, out->Latency.load() / 2 / (kOutputHertz / 100)));
    out->Mixer->SetLatency(out->Latency.load());
    SDL_AudioDeviceID device = OpenDevice(*out);
    if (device == 0) {
        std::fprintf(stderr, "tuublark: no audio device (%s); playing silently\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    out->Device.store(device);
#ifndef __EMSCRIPTEN__
    // A browser's output is never lost or replaced, and the page has no
    // threads: it runs without the reopening thread.
    SDL_AddEventWatch(WatchDevices, out.get());
    TSdlOutput& ref = *out;
    out->Reopener = std::thread([&ref] { ReopenLoop(ref); });
#endif
    SetAudioDriver(std::make_unique<TMixerAudioDriver>(out->Mixer));
    g_output = out.release();
    return true;
}

void CloseSdlAudio() {
    TSdlOutput* out = g_output;
    if (!out) return;
    g_output = nullptr;
    if (out->Reopener.joinable()) {
        SDL_DelEventWatch(WatchDevices, out);
        {
            std::lock_guard<std::mutex> lock(out->WakeMutex);
            out->Shutdown.store(true);
        }
        out->Wake.notify_one();
        out->Reopener.join();
    }
    SDL_AudioDeviceID device = out->Device.exchange(0);
    if (device != 0) SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    WriteReport(*out);
    // Sounds and channels still held by the game keep the mixer alive.
    delete out;
}

void PauseSdlAudio(bool paused) {
    if (g_output) g_output->Paused.store(paused, std::memory_order_relaxed);
}

uint32_t SdlAudioDevice() { return g_output ? g_output->Device.load() : 0; }

int32_t SdlAudioReopenCount() { return g_output ? g_output->Reopens.load() : 0; }

int32_t SdlAudioUnderrunCount() { return g_output ? g_output->Underruns.load() : 0; }

int32_t SdlAudioPeriodFrames() { return g_output ? g_output->Period.load() : 0; }

int32_t SdlAudioLatencyFrames() { return g_output ? g_output->Latency.load() : 0; }

}  // namespace tuublark
