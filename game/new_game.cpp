#include "game/new_game.h"

#include "game/board/board.h"
#include "game/game_state.h"
#include "game/presentation/skins.h"

namespace tuublark {

void ResetSweepAndPiece(GameState& g) {
    g.SweepPosition = 0.0f;
    g.SweepSpeed = 2.0f;
    g.SweepColumn = 0;
    g.SweepPassCount = 0;
    g.PassCells = 0;
    g.PieceColumn = 7;
}

void NewGame(GameState& g) {
    ResetSweepAndPiece(g);
    g.PieceRow = 0;
    g.Score = 0;
    g.DeletedCount = 0;
    g.GroupCells = 0;
    g.Level = 1;
    g.SkinIndex = 1;
    g.SpawnDelay = 180;
    g.FallInterval = 60;
    g.FallTimer = g.SpawnDelay;
    LoadSkinImages(g, g.SkinIndex);
    LoadSkinMusic(g, g.SkinIndex);
    g.EffectList.Walk([&](const EffectRef& effect) { ListRemove(g.EffectList, effect.get()); });
    ClearBoard(g);
    SpawnFirstPiece(g);
    g.Screen = kPlayScreen;
}

}  // namespace tuublark
