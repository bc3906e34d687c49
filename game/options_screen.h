// The options screen, opened from the title screen with O or a
// controller's Y: the music and effects volumes (the effects with a sound
// to hear them), full screen on or off, the key of each of the game's
// eight keys, and back. Arrows choose and change, Enter or Space takes a
// line, Escape (or a controller's B or Back) closes. No frame of the title
// runs while it is open; the settings are saved when it closes.
#pragma once

#include <functional>
#include <string>

#include "engine/image/pixmap.h"
#include "game/settings.h"

namespace tuublark {

struct GameState;
class TMenuDrawing;

// The lines of the screen, in order.
enum TOptionsLine : int {
    kMusicLine = 0,
    kEffectsLine = 1,
    kFullScreenLine = 2,
    kFirstKeyLine = 3,  // then one line for each game key
    kBackLine = kFirstKeyLine + kGameKeyCount,
    kOptionsLines,
};

struct TOptionsView {
    TSettings Settings;
    int Chosen = kMusicLine;
    bool WaitingForKey = false;  // "press a key" on the chosen key line
};

// The screen's picture for `view`, not yet presented.
void DrawOptionsMenu(TMenuDrawing& menu, const TOptionsView& view);

// One menu key applied to `view`: true when the screen closes.
bool ApplyOptionsKey(TOptionsView& view, int key);

// Runs the screen over `still` (the last title frame). Changes apply at
// once (volumes, full screen, keys); when it closes they go into `file`,
// which is saved to `path`, and into `run`, the settings of this run.
void RunOptions(GameState& g, const PixmapRef& still, TSettingsFile& file, const std::string& path, TSettings& run,
                const std::function<bool()>& stop);

}  // namespace tuublark
