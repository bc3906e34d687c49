#include "game/demo.h"

#include <memory>

#include "engine/audio/sound.h"
#include "engine/display/graphics.h"
#include "engine/input/keyboard.h"
#include "engine/input/random.h"
#include "engine/input/system_driver.h"
#include "game/autoplay/autoplayer.h"
#include "game/board/board.h"
#include "game/frame_loop.h"
#include "game/game_state.h"
#include "game/presentation/screens.h"

namespace tuublark {

void RunDemo(const GameState& title, const std::function<bool()>& stop) {
    TSystemDriver& system = SystemDriver();
    KeyboardState& keyboard = Keyboard();
    const int32_t randomState = GetRandomState();
    // The copy shares the pictures, sounds and channels; the title's
    // effects and texts stay the title's.
    auto demo = std::make_unique<GameState>(title);
    demo->EffectList.Clear();
    demo->PopupList.Clear();
    TAutoPlayer player(1);
    keyboard.Flush();
    // Input since the title's last frame ends the demo at once.
    bool played = false;
    while (!stop()) {
        system.Poll();
        if (system.TakeUserActivity() || system.TakeFocusLost()) break;
        BeginAudioFrame(FrameLatenessSeconds());
        player.Play(*demo, keyboard);
        RunFrame(*demo);
        DrawDemoLabel(*demo);
        PresentFrame();
        if (demo->Screen != kTitleScreen) played = true;
        else if (played) break;  // back on the title after the game over
    }
    StopMusic(*demo);
    keyboard.Flush();
    // The input that ended the demo reaches nothing else.
    system.DropPendingInput();
    system.TakeUserActivity();
    system.TakeFocusLost();
    SetRandomState(randomState);
}

}  // namespace tuublark
