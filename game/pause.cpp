#include "game/pause.h"

#include "engine/input/system_driver.h"
#include "game/game_state.h"
#include "game/presentation/menu_drawing.h"

namespace tuublark {
namespace {

bool IsBound(const TKeyBindings& keys, int key) {
    for (int bound : keys.Keys)
        if (bound == key) return true;
    return false;
}

// P and Pause pause, unless the player gave one of them to a game key.
bool IsPauseKey(const TKeyBindings& keys, int key) { return (key == VkP || key == VkPause) && !IsBound(keys, key); }

}  // namespace

TMenuRequest TakeMenuRequest(int32_t screen, const TKeyBindings& keys) {
    TSystemDriver& system = SystemDriver();
    const bool inGame = screen != kTitleScreen;
    TMenuRequest request = TMenuRequest::None;
    if (system.TakeFocusLost() && inGame) request = TMenuRequest::Pause;
    // The keys after the one that opens a menu are that menu's.
    while (request == TMenuRequest::None) {
        int key = system.TakeMenuKey();
        if (!key) break;
        if (inGame && IsPauseKey(keys, key)) request = TMenuRequest::Pause;
        if (!inGame && key == VkO && !IsBound(keys, key)) request = TMenuRequest::Options;
    }
    return request;
}

void DrawPauseMenu(TMenuDrawing& menu) {
    menu.Begin();
    menu.Line("PAUSED", 250, true);
    menu.Line("P, Pause or Start: play on", 300);
    menu.Line("Escape: leave the game", 330);
}

void RunPause(const PixmapRef& still, const std::function<bool()>& stop) {
    TSystemDriver& system = SystemDriver();
    TMenuDrawing menu(still);
    system.PauseAudio(true);
    bool leave = false;
    for (bool paused = true; paused && !stop();) {
        DrawPauseMenu(menu);
        menu.End();
        system.WaitEvents(100);
        // The keys after the one that ends the pause are the game's.
        while (paused) {
            int key = system.TakeMenuKey();
            if (!key) break;
            if (key == VkP || key == VkPause) paused = false;
            if (key == VkEscape) paused = false, leave = true;
        }
        system.TakeFocusLost();
    }
    system.PauseAudio(false);
    system.DropPendingPresses();
    if (leave) {
        system.QueueKey(true, VkEscape);
        system.QueueKey(false, VkEscape);
    }
}

}  // namespace tuublark
