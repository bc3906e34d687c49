#include "engine/audio/sound_preload.h"

#include "engine/engine.h"
#include "engine/runtime/filesystem.h"

namespace tuublark {
namespace {

// Game paths are looked up in the data folder, ignoring letter case; the
// table keys them by the file they resolve to.
std::string Key(const std::string& path) {
    std::string resolved = ResolveAssetPath(path);
    return resolved.empty() ? path : resolved;
}

}  // namespace

void PrepareSound(const std::string& path) {
    TSoundPreloads& p = Engine().Preloads();
    std::lock_guard<std::mutex> hold(p.Lock);
    auto known = p.Files.find(path);
    if (known != p.Files.end() && p.Sounds.count(known->second)) return;
    std::string key = Key(path);
    p.Files[path] = key;
    if (p.Sounds.count(key)) return;
    // Loading a sound decodes the file and copies the samples; it touches
    // no mixer state, so it may run beside the game and the mixer. The
    // worker loads it by the game's own name for it: a resolved path,
    // resolved again, is another name (./a becomes ././a), which would miss
    // the samples the start-up check already decoded and decode them twice.
    p.Sounds[key] = {Engine().StartWorker([path] { return LoadSound(path, 0); }), &AudioDriver()};
}

SoundRef TakePreparedSound(const std::string& path, int32_t flags) {
    TPreparedSound prepared;
    {
        TSoundPreloads& p = Engine().Preloads();
        std::lock_guard<std::mutex> hold(p.Lock);
        auto it = p.Sounds.find(Key(path));
        if (it == p.Sounds.end()) return LoadSound(path, flags);
        prepared = it->second;
        p.Sounds.erase(it);
    }
    SoundRef sound = TEngine::Await(prepared.Sound);
    // Prepared with other flags, for an audio driver since replaced, or not
    // readable then: load it again as asked.
    if (!sound || flags != 0 || prepared.Driver != &AudioDriver()) return LoadSound(path, flags);
    sound->Path = path;  // named as the caller names it, as LoadSound does
    return sound;
}

bool SoundPrepared(const std::string& path) {
    TSoundPreloads& p = Engine().Preloads();
    std::lock_guard<std::mutex> hold(p.Lock);
    return p.Sounds.count(Key(path)) != 0;
}

}  // namespace tuublark
