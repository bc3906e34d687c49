#include "game/board/board_effects.h"

#include <memory>

#include "game/game_state.h"

namespace tuublark {

void AddBoardEffect(GameState& g, const TBoardEffectKind& kind, const ImageRef& image, int32_t x, int32_t y) {
    g.NewEffect = std::make_shared<TEffect>();
    g.NewEffect->X = static_cast<float>(x);
    g.NewEffect->Y = static_cast<float>(y);
    g.NewEffect->Image = image;
    g.NewEffect->Scale = kind.Scale;
    g.NewEffect->ScaleSpeed = kind.ScaleSpeed;
    g.NewEffect->Blend = kind.Blend;
    g.NewEffect->Alpha = kind.Alpha;
    g.NewEffect->AlphaSpeed = kind.AlphaSpeed;
    g.NewEffect->Life = kind.Life;
    ListAddLast(g.EffectList, g.NewEffect);
}

void AddCellEffect(GameState& g, const TBoardEffectKind& kind, const ImageRef& image, int column, int row) {
    AddBoardEffect(g, kind, image, CellX(g, column), CellY(g, row));
}

}  // namespace tuublark
