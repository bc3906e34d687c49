// "DEMO" over a game the built-in player plays on the title's behalf.
#include "engine/image/draw.h"
#include "engine/text/font.h"
#include "game/game_state.h"
#include "game/presentation/screens.h"

namespace tuublark {

void DrawDemoLabel(GameState& g) {
    // Shown two seconds of every three, over the middle of the board's top.
    if (g.FrameCounter % 180 >= 120) return;
    TDrawingSnapshot saved = SaveDrawing();
    SetRotationAndScale(0, 2, 2);
    SetDrawAlpha(0.9f);
    SetBlendMode(BlendAlpha);
    SetTextHandle(0, 0);
    SetDrawColor(255, 214, 64);
    const std::string text = "DEMO";
    const float x = static_cast<float>(g.BoardLeft - g.CellSize / 2 + kBoardColumns * g.CellSize / 2) - TextWidth(text);
    DrawText(text, x, static_cast<float>(g.BoardTop - 100));
    RestoreDrawing(saved);
}

}  // namespace tuublark
