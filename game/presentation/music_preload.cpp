#include "game/presentation/music_preload.h"

#include <filesystem>
#include <future>
#include <map>
#include <mutex>

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
};

TPreparedLoops& Prepared() {
    static TPreparedLoops prepared;
    return prepared;
}

// Paths are relative to the working directory; the table keys them by
// the file they name.
std::string Key(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

}  // namespace

void PrepareMusicLoop(const std::string& path) {
    TPreparedLoops& p = Prepared();
    std::lock_guard<std::mutex> hold(p.Lock);
    std::string key = Key(path);
    if (p.Loops.count(key)) return;
    // Loading a sound decodes the file and copies the samples; it touches
    // no mixer state, so it may run beside the game and the mixer.
    // The worker opens the file by its full path, whatever the working
    // directory is by then.
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
