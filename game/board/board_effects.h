// Effects the board rules add to EffectList: falling trails, square
// shocks and bursts, and the flash and blast of a removed cell.
#pragma once

#include <cstdint>

#include "engine/image/image.h"

namespace tuublark {

struct GameState;

// The start values of one kind of board effect; the fields not named here
// (DX, DY, Rotation, RotationSpeed) stay 0.
struct TBoardEffectKind {
    float Scale;
    float ScaleSpeed;
    int32_t Blend;
    float Alpha;
    float AlphaSpeed;
    int32_t Life;
};

inline constexpr TBoardEffectKind kLooseTrail{1.0f, 0.0f, 4, 0.5f, -0.05f, 10};
inline constexpr TBoardEffectKind kPieceTrail{1.0f, 0.0f, 4, 0.5f, -0.1f, 5};
inline constexpr TBoardEffectKind kSquareShock{1.6f, 0.2f, 3, 1.0f, -0.05f, 20};
inline constexpr TBoardEffectKind kSquareBurst{2.0f, 0.0f, 4, 0.4f, -0.01f, 40};
inline constexpr TBoardEffectKind kPassStartFlash{1.2f, -0.02f, 3, 0.5f, -0.01f, 50};
inline constexpr TBoardEffectKind kPassStartBlast{1.0f, 0.1f, 4, 1.0f, -0.05f, 50};
inline constexpr TBoardEffectKind kGroupFlash{1.2f, -0.02f, 3, 0.5f, -0.01f, 30};
inline constexpr TBoardEffectKind kGroupBlast{1.0f, 0.15f, 4, 1.0f, -0.03f, 40};

// Creates an effect of `kind` centred on (x, y) through NewEffect and
// appends it to EffectList.
void AddBoardEffect(GameState& g, const TBoardEffectKind& kind, const ImageRef& image, int32_t x, int32_t y);

// The same centred on the picture of cell (column, row).
void AddCellEffect(GameState& g, const TBoardEffectKind& kind, const ImageRef& image, int column, int row);

}  // namespace tuublark
