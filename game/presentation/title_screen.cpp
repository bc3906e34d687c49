#include "engine/audio/sound_preload.h"
#include "engine/image/draw.h"
#include "game/game_state.h"
#include "game/presentation/screens.h"
#include "game/presentation/skins.h"

namespace tuublark {

void UpdateTitleScreen(GameState& g) {
    DrawBackdropAndPanel(g);  // the panel still shows the last game

    // The instructions blink off while the line runs out at the right edge
    // and starts again at the left.
    SetBlendMode(BlendAlpha);
    SetDrawAlpha(0.8f);
    if (g.SweepColumn > 2 && g.SweepColumn < 15)
        DrawImage(g.InstructionsImage, 400.0f, static_cast<float>(g.BoardTop + g.CellSize * 8 + 15), 0);

    StepTitleSweep(g);

    SetScale(1.0f, 1.0f);
    RunPopups(g);
    RunEffects(g);
    SetScale(1.0f, 1.0f);
    DrawSweepLine(g);

    // Every game starts in skin 1: its loop is decoded while the title shows.
    PrepareSound(SkinTable(1).MusicLoop);
}

}  // namespace tuublark
