// Points and floating texts for a removed group.
#include <memory>
#include <string>

#include "engine/runtime/strings.h"
#include "game/board/board.h"
#include "game/game_state.h"

namespace tuublark {
namespace {

struct TMultiplier {
    int32_t Factor;
    const char* Label;
};

TMultiplier MultiplierFor(int32_t cells) {
    if (cells >= 24) return {10, "10x"};
    if (cells >= 16) return {5, "5x"};
    if (cells >= 12) return {4, "4x"};
    if (cells >= 8) return {3, "3x"};
    if (cells >= 6) return {2, "2x"};
    return {1, ""};
}

void AddPopup(GameState& g, int32_t x, int32_t y, const std::string& text) {
    g.NewPopup = std::make_shared<TPopup>();
    g.NewPopup->X = static_cast<float>(x);
    g.NewPopup->Y = static_cast<float>(y);
    g.NewPopup->Text = text;
    g.NewPopup->Scale = 1.0f;
    g.NewPopup->Alpha = 1.0f;
}

}  // namespace

void ScoreClearedGroup(GameState& g) {
    const int32_t n = g.GroupCells;
    const TMultiplier multiplier = MultiplierFor(n);
    const int32_t points = n * 25 * multiplier.Factor;
    g.Score += points;

    // The middle of the box, in whole pixels, halves truncated toward zero.
    const int32_t size = g.CellSize;
    const int32_t x = CellX(g, g.ClearBoxLeft) + (g.ClearBoxRight * size - g.ClearBoxLeft * size) / 2;
    const int32_t y = CellY(g, g.ClearBoxTop) + (g.ClearBoxBottom * size - g.ClearBoxTop * size) / 2;

    AddPopup(g, x, y, IntToString(points));
    g.NewPopup->DY = -0.5f;
    g.NewPopup->Blend = 4;
    g.NewPopup->AlphaSpeed = -0.01f;
    g.NewPopup->Life = 100;
    ListAddLast(g.PopupList, g.NewPopup);

    if (multiplier.Label[0] != '\0') {
        AddPopup(g, x, y, multiplier.Label);
        g.NewPopup->DY = -0.1f;
        g.NewPopup->ScaleSpeed = 0.2f;
        g.NewPopup->Blend = 3;
        g.NewPopup->AlphaSpeed = -0.02f;
        g.NewPopup->Life = 50;
        ListAddLast(g.PopupList, g.NewPopup);
    }

    g.PassCells += n;
    g.GroupCells = 0;
    g.ClearBoxLeft = g.ClearBoxRight = g.ClearBoxTop = g.ClearBoxBottom = 0;
}

}  // namespace tuublark
