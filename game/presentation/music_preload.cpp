#include "game/presentation/music_preload.h"

#include <future>
#include <map>
#include <mutex>

#include "engine/audio/sample_loader.h"

namespace tuublark {
namespace {

// Decoded samples depend only on the file, not on the game state or the
// audio driver, so one table serves the whole process. It holds at most
// one entry per drum loop.
struct TPreparedLoops {
    std::mutex Lock;
    std::map<std::string, std::shared_future<AudioSampleRef>> Loops;
};

TPreparedLoops& Prepared() {
    static TPreparedLoops prepared;
    return prepared;
}

}  // namespace

void PrepareMusicLoop(const std::string& path) {
    TPreparedLoops& p = Prepared();
    std::lock_guard<std::mutex> hold(p.Lock);
    if (p.Loops.count(path)) return;
    p.Loops[path] = std::async(std::launch::async, [path] { return LoadAudioSample(path); }).share();
}

SoundRef TakeMusicLoop(const std::string& path, int32_t flags) {
    std::shared_future<AudioSampleRef> decoded;
    {
        TPreparedLoops& p = Prepared();
        std::lock_guard<std::mutex> hold(p.Lock);
        auto it = p.Loops.find(path);
        if (it == p.Loops.end()) return LoadSound(path, flags);
        decoded = it->second;
        p.Loops.erase(it);
    }
    const AudioSampleRef& sample = decoded.get();
    if (!sample) return nullptr;
    SoundRef sound = AudioDriver().CreateSound(*sample, flags);
    if (sound) sound->Path = path;
    return sound;
}

bool MusicLoopPrepared(const std::string& path) {
    TPreparedLoops& p = Prepared();
    std::lock_guard<std::mutex> hold(p.Lock);
    return p.Loops.count(path) != 0;
}

}  // namespace tuublark
