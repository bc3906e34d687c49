#include "engine/platform/sdl_system_driver.h"

#include "engine/input/keyboard.h"
#include "engine/platform/sdl_audio.h"
#include "engine/platform/sdl_keymap.h"

namespace tuublark {

TSdlSystemDriver::TSdlSystemDriver(TSdlWindow& window, bool keyboardFromScript)
    : window_(window),
      keyboardFromScript_(keyboardFromScript),
      controllers_([this](bool down, int key) { QueueDeviceKey(down, key); }, [this](int key) { QueueMenuKey(key); }) {}

void TSdlSystemDriver::QueueDeviceKey(bool down, int key) {
    if (!keyboardFromScript_) pendingKeys_.emplace_back(down, key);
}

void TSdlSystemDriver::QueueMenuKey(int key) {
    if (!keyboardFromScript_ && pendingMenuKeys_.size() < 64) pendingMenuKeys_.push_back({key, pendingKeys_.size()});
}

void TSdlSystemDriver::Poll() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) Handle(event);
}

void TSdlSystemDriver::Handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_JOYBUTTONDOWN:
        case SDL_FINGERDOWN:
        case SDL_MOUSEBUTTONDOWN: activity_ = true; break;
        default: break;
    }
    if (controllers_.Handle(event)) return;
    switch (event.type) {
        case SDL_QUIT: quit_ = true; break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            bool down = event.type == SDL_KEYDOWN;
            const SDL_Keysym& keysym = event.key.keysym;
            if (down && keysym.scancode == SDL_SCANCODE_RETURN && (keysym.mod & KMOD_ALT)) {
                if (!event.key.repeat) window_.ToggleFullScreen();
                break;
            }
            // A held key's repeats count no press.
            if (event.key.repeat || keyboardFromScript_) break;
            TVirtualKeys keys = VirtualKeysFor(keysym);
            if (down && keys.Key) QueueMenuKey(keys.Key);
            int key = keys_.Translate(keys.Key);
            int side = keys.Side ? keys_.Translate(keys.Side) : 0;
            if (key) pendingKeys_.emplace_back(down, key);
            if (side) pendingKeys_.emplace_back(down, side);
            break;
        }
        case SDL_WINDOWEVENT:
            // Switching away from full screen gives the desktop back.
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST && window_.IsFullScreen())
                SDL_MinimizeWindow(SDL_GetWindowFromID(event.window.windowID));
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST && !keyboardFromScript_) focusLost_ = true;
#ifdef __EMSCRIPTEN__
            // A phone hides the page when the player switches apps, often
            // with no loss of focus first: a hidden page pauses the game too.
            if (event.window.event == SDL_WINDOWEVENT_HIDDEN && !keyboardFromScript_) focusLost_ = true;
#endif
            break;
        default: break;
    }
}

bool TSdlSystemDriver::MustWait() const {
#ifdef __EMSCRIPTEN__
    if (window_.HasContext() && window_.IsHidden()) return true;
#endif
    return window_.HasContext() && (window_.IsMinimised() || (window_.IsFullScreen() && !window_.HasFocus()));
}

void TSdlSystemDriver::ApplyPendingKeys() {
    KeyboardState& keyboard = Keyboard();
    for (const auto& [down, key] : pendingKeys_) {
        if (down) keyboard.Press(key);
        else keyboard.Release(key);
    }
    pendingKeys_.clear();
    menuKeys_.insert(menuKeys_.end(), pendingMenuKeys_.begin(), pendingMenuKeys_.end());
    pendingMenuKeys_.clear();
    for (TMenuKey& key : menuKeys_) key.EventsBefore = 0;
}

int TSdlSystemDriver::TakeMenuKey() {
    if (menuKeys_.empty()) return 0;
    int key = menuKeys_.front().Key;
    menuKeys_.pop_front();
    return key;
}

bool TSdlSystemDriver::TakeFocusLost() {
    bool lost = focusLost_;
    focusLost_ = false;
    return lost;
}

bool TSdlSystemDriver::TakeUserActivity() {
    bool active = activity_;
    activity_ = false;
    return active;
}

void TSdlSystemDriver::WaitEvents(int32_t ms) {
    for (int32_t left = ms; left > 0 && !QuitSignalled(); left -= kStopCheckMs) {
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, left < kStopCheckMs ? left : kStopCheckMs)) {
            Handle(event);
            break;
        }
    }
    Poll();
    menuKeys_.insert(menuKeys_.end(), pendingMenuKeys_.begin(), pendingMenuKeys_.end());
    pendingMenuKeys_.clear();
}

void TSdlSystemDriver::DropPendingPresses() {
    // Keys typed quickly after the one that closed the menu are the game's.
    size_t cut = pendingKeys_.size();
    if (!menuKeys_.empty()) cut = menuKeys_.front().EventsBefore;
    else if (!pendingMenuKeys_.empty()) cut = pendingMenuKeys_.front().EventsBefore;
    std::vector<std::pair<bool, int>> kept;
    for (size_t i = 0; i < pendingKeys_.size(); ++i)
        if (i >= cut || !pendingKeys_[i].first) kept.push_back(pendingKeys_[i]);
    const size_t dropped = pendingKeys_.size() - kept.size();
    pendingKeys_.swap(kept);
    for (auto* queue : {&menuKeys_, &pendingMenuKeys_})
        for (TMenuKey& key : *queue) key.EventsBefore -= dropped;
}

void TSdlSystemDriver::DropPendingInput() {
    std::vector<std::pair<bool, int>> releases;
    for (const auto& event : pendingKeys_)
        if (!event.first) releases.push_back(event);
    pendingKeys_.swap(releases);
    pendingMenuKeys_.clear();
    menuKeys_.clear();
}

void TSdlSystemDriver::PauseAudio(bool paused) { PauseSdlAudio(paused); }

void TSdlSystemDriver::BeginFrame(int32_t) {
    Poll();
    if (MustWait() && !QuitSignalled()) {
        PauseSdlAudio(true);
        while (MustWait() && !QuitSignalled()) WaitEvents(100);
        PauseSdlAudio(false);
    }
    ApplyPendingKeys();
}

}  // namespace tuublark
