#include "game/presentation/music_preload.h"

#include <future>
#include <map>
#include <mutex>

#include "engine/runtime/filesystem.h"

namespace tuublark {
namespace {

// A loop being loaded on a worker, with the audio driver it is loaded by.
struct TPreparedLoop {
    std::shared_future<SoundRef> Sound;
    const TAudioDriver* Driver;
};

// One table for the process: a loaded loop depends only on its file and
// the audio driver. It holds at most one entry per drum loop.
struct TPreparedLoops {
    std::mutex Lock;
    std::map<std::string, TPreparedLoop> Loops;

    // A worker still loading when the program ends is waited for here,
    // before the audio driver and the data folder it uses go.
    ~TPreparedLoops() {
        for (auto& [path, loop] : Loops) loop.Sound.wait();
    }
};

TPreparedLoops& Prepared() {
    // Made after what the workers use, so it is destroyed before them.
    AudioDriver();
    DataFolder();
    static TPreparedLoops prepared;
    return prepared;
}

// Game paths are looked up in the data folder, ignoring letter case; the
// table keys them by the file they resolve to.
std::string Key(const std::string& path) {
    std::string resolved = ResolveAssetPath(path);
    return resolved.empty() ? path : resolved;
}

}  // namespace

void PrepareMusicLoop(const std::string& path) {
    TPreparedLoops& p = Prepared();
    std::lock_guard<std::mutex> hold(p.Lock);
    std::string key = Key(path);
    if (p.Loops.count(key)) return;
    // Loading a sound decodes the file and copies the samples; it touches
    // no mixer state, so it may run beside the game and the mixer.
    // The worker opens the file by the path it resolved to now.
    p.Loops[key] = {std::async(std::launch::async, [key] { return LoadSound(key, 0); }).share(), &AudioDriver()};
}

SoundRef TakeMusicLoop(const std::string& path, int32_t flags) {
    TPreparedLoop loop;
    {
        TPreparedLoops& p = Prepared();
        std::lock_guard<std::mutex> hold(p.Lock);
        auto it = p.Loops.find(Key(path));
        if (it == p.Loops.end()) return LoadSound(path, flags);
        loop = it->second;
        p.Loops.erase(it);
    }
    SoundRef sound = loop.Sound.get();
    // Prepared with other flags, for an audio driver since replaced, or not
    // readable then: load it again as asked.
    if (!sound || flags != 0 || loop.Driver != &AudioDriver()) return LoadSound(path, flags);
    sound->Path = path;  // named as the caller names it, as LoadSound does
    return sound;
}

bool MusicLoopPrepared(const std::string& path) {
    TPreparedLoops& p = Prepared();
    std::lock_guard<std::mutex> hold(p.Lock);
    return p.Loops.count(Key(path)) != 0;
}

}  // namespace tuublark
