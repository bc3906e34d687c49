#include "game/options_screen.h"

#include <algorithm>

#include "engine/audio/sound.h"
#include "engine/input/system_driver.h"
#include "game/game_sound.h"
#include "game/game_state.h"
#include "game/presentation/menu_drawing.h"

namespace tuublark {
namespace {

constexpr int kBackspace = 8;
constexpr float kTop = 95;
constexpr float kLineHeight = 31;

const char* const kKeyTitles[kGameKeyCount] = {"Left",        "Right",        "Up",    "Down",
                                               "Rotate left", "Rotate right", "Start", "Leave"};

const char* LineName(int line) {
    switch (line) {
        case kMusicLine: return "Music volume";
        case kEffectsLine: return "Effects volume";
        case kFullScreenLine: return "Full screen";
        case kBackLine: return "Back";
        default: return kKeyTitles[line - kFirstKeyLine];
    }
}

std::string LineValue(const TOptionsView& view, int line) {
    const TSettings& s = view.Settings;
    switch (line) {
        case kMusicLine: return "< " + std::to_string(s.MusicVolume) + " >";
        case kEffectsLine: return "< " + std::to_string(s.EffectsVolume) + " >";
        case kFullScreenLine: return s.FullScreen ? "on" : "off";
        case kBackLine: return "";
        default: break;
    }
    const bool waiting = view.WaitingForKey && view.Chosen == line;
    return waiting ? "press a key" : KeyLabel(s.Keys.Keys[line - kFirstKeyLine]);
}

}  // namespace

void DrawOptionsMenu(TMenuDrawing& menu, const TOptionsView& view) {
    menu.Begin();
    menu.Line("OPTIONS", kTop - 50, true);
    for (int line = 0; line < kOptionsLines; ++line)
        menu.Row(LineName(line), LineValue(view, line), kTop + kLineHeight * line + (line == kBackLine ? 10 : 0),
                 line == view.Chosen);
    menu.Line("Enter takes a line, Escape closes", kTop + kLineHeight * kOptionsLines + 30);
}

bool ApplyOptionsKey(TOptionsView& view, int key) {
    TSettings& s = view.Settings;
    if (view.WaitingForKey) {
        // Any keyboard key is taken, Escape included.
        s.Keys.Bind(view.Chosen - kFirstKeyLine, key);
        view.WaitingForKey = false;
        return false;
    }
    const bool take = key == VkEnter || key == VkSpace || key == VkPause;
    const int step = key == VkLeft ? -10 : key == VkRight ? 10 : 0;
    if (key == VkEscape || key == kBackspace || (take && view.Chosen == kBackLine)) return true;
    if (key == VkUp) view.Chosen = (view.Chosen + kOptionsLines - 1) % kOptionsLines;
    if (key == VkDown) view.Chosen = (view.Chosen + 1) % kOptionsLines;
    if (view.Chosen == kMusicLine && step) s.MusicVolume = std::clamp(s.MusicVolume + step, 0, 100);
    if (view.Chosen == kEffectsLine && step) s.EffectsVolume = std::clamp(s.EffectsVolume + step, 0, 100);
    if (view.Chosen == kFullScreenLine && (step || take)) s.FullScreen = !s.FullScreen;
    if (view.Chosen >= kFirstKeyLine && view.Chosen < kBackLine && take) view.WaitingForKey = true;
    return false;
}

void RunOptions(GameState& g, const PixmapRef& still, TSettingsFile& file, const std::string& path, TSettings& run,
                const std::function<bool()>& stop) {
    TSystemDriver& system = SystemDriver();
    TMenuDrawing menu(still);
    TOptionsView view;
    view.Settings = run;
    bool open = true;
    while (open && !stop()) {
        DrawOptionsMenu(menu, view);
        menu.End();
        system.WaitEvents(100);
        while (int key = system.TakeMenuKey()) {
            TSettings before = view.Settings;
            if (ApplyOptionsKey(view, key)) open = false;
            const TSettings& now = view.Settings;
            ApplyVolumes(g, now.MusicVolume, now.EffectsVolume);
            if (now.EffectsVolume != before.EffectsVolume) PlaySound(g.BleepSound, g.EffectChannel1);
            if (now.FullScreen != before.FullScreen) system.SetFullScreen(now.FullScreen);
            if (!(now.Keys == before.Keys)) system.SetKeyBindings(now.Keys);
            if (!open) break;
        }
        system.TakeFocusLost();
    }
    // Keys pressed here are the screen's, not the title's.
    system.DropPendingPresses();
    // A --windowed or --fullscreen run keeps the file's choice unless the
    // player changed it here.
    TSettings& kept = file.Values;
    if (view.Settings.FullScreen != run.FullScreen) kept.FullScreen = view.Settings.FullScreen;
    run = view.Settings;
    kept.MusicVolume = run.MusicVolume;
    kept.EffectsVolume = run.EffectsVolume;
    kept.Keys = run.Keys;
    SaveSettings(path, file);
}

}  // namespace tuublark
