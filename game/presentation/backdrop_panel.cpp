#include "engine/image/draw.h"
#include "engine/runtime/strings.h"
#include "engine/text/font.h"
#include "game/game_state.h"
#include "game/presentation/screens.h"

namespace tuublark {
namespace {

constexpr float kScreenCentreX = 400.0f;
constexpr float kScreenCentreY = 300.0f;
constexpr int32_t kPanelRight = 780;
constexpr float kTagX = 720.0f;

// Panel numbers end at x 780 whatever their width.
void DrawRightAligned(const std::string& text, float y) {
    DrawText(text, static_cast<float>(kPanelRight - TextWidth(text)), y);
}

std::string TwoDigits(int32_t value) {
    std::string text = value < 10 ? "0" : "";
    text += IntToString(value);
    return text;
}

// The visible slot follows SkinIndex's parity (signed remainder: 0 is even).
bool OddSkinShown(const GameState& g) { return g.SkinIndex % 2 == 1; }

void DrawBackground(GameState& g) {
    if (g.Screen != kSkinChangeScreen) {
        SetDrawColor(255, 255, 255);
        SetBlendMode(BlendSolid);
        DrawImage(OddSkinShown(g) ? g.OddSkinBackground : g.EvenSkinBackground, kScreenCentreX, kScreenCentreY, 0);
        return;
    }
    // Skin change: the shown background fades out while the next skin's,
    // already waiting in the other slot, fades in over it. Colour stays white.
    float step = 1.0f / static_cast<float>(g.SkinChangeLength);
    float t = static_cast<float>(g.SkinChangeFrame);
    const ImageRef& leaving = OddSkinShown(g) ? g.OddSkinBackground : g.EvenSkinBackground;
    const ImageRef& coming = OddSkinShown(g) ? g.EvenSkinBackground : g.OddSkinBackground;
    SetBlendMode(BlendAlpha);
    SetDrawAlpha(1.0f - step * t);
    DrawImage(leaving, kScreenCentreX, kScreenCentreY, 0);
    SetDrawAlpha(step * t);
    DrawImage(coming, kScreenCentreX, kScreenCentreY, 0);
}

}  // namespace

void DrawBackdropAndPanel(GameState& g) {
    DrawBackground(g);

    SetDrawAlpha(0.8f);
    SetBlendMode(BlendAlpha);
    DrawImage(g.MarkerDotsImage, 400.0f, 118.0f, 0);

    SetBlendMode(BlendMultiply);
    SetDrawAlpha(0.5f);
    DrawImage(g.GridImage, 400.0f, 320.0f, 0);

    // Tags and numbers keep the grid's alpha of 0.5.
    SetBlendMode(BlendAlpha);
    DrawImage(g.LevelTagImage, kTagX, 140.0f, 0);
    DrawRightAligned(IntToString(g.Level), 165.0f);
    DrawImage(g.TimeTagImage, kTagX, 210.0f, 0);
    DrawPlayTime(g);
    DrawImage(g.ScoreTagImage, kTagX, 280.0f, 0);
    DrawRightAligned(IntToString(g.Score), 305.0f);
    DrawImage(g.HiTagImage, kTagX, 350.0f, 0);
    // The Hi number runs ahead with a score that beats it; HighScore itself
    // is raised only when a game ends.
    DrawRightAligned(IntToString(g.Score > g.HighScore ? g.Score : g.HighScore), 375.0f);
    DrawImage(g.DelTagImage, kTagX, 420.0f, 0);
    DrawRightAligned(IntToString(g.DeletedCount), 445.0f);

    // Centred between the piece's two columns, above row 0.
    SetDrawAlpha(0.75f);
    DrawImage(g.ReticuleImage, static_cast<float>(g.BoardLeft + g.PieceColumn * g.CellSize + 15), 135.0f, 0);
}

void DrawPlayTime(GameState& g) {
    std::string seconds = TwoDigits(g.PlaySeconds);
    std::string minutes = TwoDigits(g.PlayMinutes);
    std::string hours = TwoDigits(g.PlayHours);
    std::string text;
    if (g.PlayHours > 0) {
        text = hours + ":" + minutes + ":" + seconds;
    } else if (g.PlayMinutes > 0) {
        text = minutes + ":" + seconds;
    } else {
        text = seconds;
    }
    DrawRightAligned(text, 235.0f);
}

}  // namespace tuublark
