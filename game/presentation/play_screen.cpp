#include "engine/image/draw.h"
#include "engine/runtime/strings.h"
#include "game/board/cells.h"
#include "game/game_state.h"
#include "game/presentation/screens.h"

namespace tuublark {
namespace {

constexpr float kCellScale = 0.8f;
constexpr float kHighlightScale = 2.0f;
// Highlights cover squares whose top row is 2 to 10.
constexpr int32_t kHighlightTopRowFirst = 10;
constexpr int32_t kHighlightTopRowLast = 2;

const ImageRef* CellPicture(const GameState& g, int32_t code) {
    switch (code) {
        case CellSettledA:
        case CellLooseA:
        case CellPieceA: return &g.AnimalAImage;
        case CellSettledB:
        case CellLooseB:
        case CellPieceB: return &g.AnimalBImage;
        case CellMarkedA: return &g.AnimalALitImage;
        case CellMarkedB: return &g.AnimalBLitImage;
        case CellTriggeredA: return &g.LightTriggeredImage;
        case CellTriggeredB: return &g.DarkTriggeredImage;
        default: return nullptr;
    }
}

// The next three pieces on the left. After a spawn the column is drawn
// 3 px lower per remaining QueueSlide frame, with its third slot hidden
// until it has slid back up.
void DrawQueue(GameState& g) {
    SetBlendMode(BlendSolid);
    SetScale(kCellScale, kCellScale);
    struct Spot {
        int k;  // 1-based character of the pattern
        float x;
        bool bottom;
    };
    static const Spot kSpots[4] = {{3, 65.0f, true}, {4, 95.0f, true}, {1, 65.0f, false}, {2, 95.0f, false}};
    int32_t slots = g.QueueSlide == 0 ? 3 : 2;
    for (int32_t i = 0; i < slots; ++i) {
        int32_t y0 = 125 + 90 * i + 3 * g.QueueSlide;
        int32_t y1 = 155 + 90 * i + 3 * g.QueueSlide;
        const std::string& pattern = g.PieceQueue[i];
        for (const Spot& spot : kSpots) {
            if (static_cast<size_t>(spot.k) > pattern.size()) continue;
            const ImageRef& picture = MidString(pattern, spot.k, 1) == "1" ? g.AnimalAImage : g.AnimalBImage;
            DrawImage(picture, spot.x, static_cast<float>(spot.bottom ? y1 : y0), 0);
        }
    }
}

void DrawCells(GameState& g) {
    SetBlendMode(BlendSolid);
    SetScale(kCellScale, kCellScale);
    for (int32_t c = 0; c < kBoardColumns; ++c) {
        for (int32_t r = 0; r < kBoardRows; ++r) {
            if (g.Board[c][r] <= 0) continue;
            if (const ImageRef* picture = CellPicture(g, g.Board[c][r]))
                DrawImage(*picture, CellX(g, c), CellY(g, r), 0);
        }
    }
}

// An enlarged lit picture over every marked two-by-two square of one code.
void DrawHighlights(GameState& g) {
    for (int32_t c = 0; c <= kBoardColumns - 2; ++c) {
        for (int32_t r = kHighlightTopRowFirst; r >= kHighlightTopRowLast; --r) {
            int32_t k = g.Board[c][r];
            if (k != CellMarkedA && k != CellMarkedB) continue;
            if (g.Board[c + 1][r] != k || g.Board[c][r + 1] != k || g.Board[c + 1][r + 1] != k) continue;
            SetScale(kHighlightScale, kHighlightScale);
            DrawImage(k == CellMarkedA ? g.AnimalALitImage : g.AnimalBLitImage, CellX(g, c) + 15.0f,
                      CellY(g, r) + 15.0f, 0);
        }
    }
}

}  // namespace

void DrawPlayScreen(GameState& g) {
    DrawBackdropAndPanel(g);
    DrawQueue(g);
    if (g.QueueSlide > 0) g.QueueSlide -= 1;
    DrawCells(g);
    DrawHighlights(g);
    SetScale(1.0f, 1.0f);
    RunPopups(g);
    RunEffects(g);
    SetScale(1.0f, 1.0f);
    DrawSweepLine(g);
}

// Drawn with the state the sweep line leaves: white, blend 3, alpha 0.8.
void DrawGameOverScreen(GameState& g) {
    DrawPlayScreen(g);
    DrawImage(g.GameOverImage, 400.0f, static_cast<float>(g.BoardTop + g.CellSize * 6 + 15), 0);
}

}  // namespace tuublark
