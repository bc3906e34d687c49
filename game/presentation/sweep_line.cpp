#include "engine/image/draw.h"
#include "engine/runtime/strings.h"
#include "engine/text/font.h"
#include "game/game_state.h"
#include "game/presentation/screens.h"

namespace tuublark {
namespace {

constexpr float kBoardLeftEdge = 160.0f;
constexpr int kGlowLines = 20;

}  // namespace

// Leaves white, blend 3 and alpha 0.8 set; the game-over picture and the
// next frame's first drawing start from that.
void DrawSweepLine(GameState& g) {
    float x0 = g.SweepPosition + kBoardLeftEdge;

    SetDrawColor(255, 192, 0);
    SetBlendMode(BlendAdditive);
    SetDrawAlpha(1.0f);
    SetLineWidth(g.SweepSpeed <= 2.0f ? 2.0f : 3.0f);  // faster skins, thicker line
    DrawLine(x0, 152.0f, x0, 470.0f, 1);

    // Orange glow trailing the line, fading out; none left of the board.
    SetDrawColor(255, 128, 0);
    for (int n = 1; n <= kGlowLines; ++n) {
        float i = static_cast<float>(n);
        if (g.SweepPosition - 2.0f * i >= 0.0f) {
            SetDrawAlpha(0.5f - i / 40.0f);
            DrawLine(x0 - 2.0f * i, 169.0f, x0 - 2.0f * i, 470.0f, 1);
        }
    }

    SetDrawColor(255, 255, 255);
    SetBlendMode(BlendAlpha);
    SetDrawAlpha(0.8f);
    DrawImage(g.WipeArrowImage, g.SweepPosition + 142.0f, 164.0f, 0);

    // Cells removed in this pass, right-aligned 5 pixels left of the line.
    std::string text = IntToString(g.PassCells);
    DrawText(text, g.SweepPosition + 155.0f - static_cast<float>(TextWidth(text)), 150.0f);
}

}  // namespace tuublark
