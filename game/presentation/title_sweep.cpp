#include "game/game_state.h"
#include "game/presentation/screens.h"

namespace tuublark {
namespace {

// Title letters stand in row 4; column step k puts its letter in column k - 1.
constexpr int32_t kTitleRow = 4;
constexpr int32_t kFirstLetterStep = 5;
constexpr int32_t kLastLetterStep = 12;
constexpr int32_t kBlastStep = 13;

void AddEffect(GameState& g, const ImageRef& image, int32_t column, float dx, float scale, float scaleSpeed,
               int32_t blend, float alpha, float alphaSpeed, int32_t life) {
    g.NewEffect = std::make_shared<TEffect>();
    g.NewEffect->X = CellX(g, column);
    g.NewEffect->Y = CellY(g, kTitleRow);
    g.NewEffect->DX = dx;
    g.NewEffect->Scale = scale;
    g.NewEffect->ScaleSpeed = scaleSpeed;
    g.NewEffect->Blend = blend;
    g.NewEffect->Alpha = alpha;
    g.NewEffect->AlphaSpeed = alphaSpeed;
    g.NewEffect->Life = life;
    g.NewEffect->Image = image;
    ListAddLast(g.EffectList, g.NewEffect);
}

// Phase 1: the letter flies out of the line as a burst and stays behind.
void AddLetter(GameState& g, int32_t step) {
    static const float kBurstDX[8] = {-8.0f, -6.0f, -4.0f, -2.0f, 2.0f, 4.0f, 6.0f, 8.0f};
    int32_t letter = step - kFirstLetterStep;  // 0-based TitleLetter index
    const ImageRef& image = g.TitleLetters[letter];
    AddEffect(g, image, step - 1, kBurstDX[letter], 1.0f, 0.5f, 3, 0.9f, -0.03f, 30);
    AddEffect(g, image, step - 1, 0.0f, 1.0f, 0.0f, 2, 0.0f, 0.0f, 720);
}

// Phase 0: each letter is replaced by a lit square that lasts until step 13.
void AddLitLetter(GameState& g, int32_t step) {
    AddEffect(g, g.LightTriggeredImage, step - 1, 0.0f, 1.0f, 0.0f, 2, 0.0f, 0.0f, (13 - step) * 15);
}

// Phase 0, step 13: all eight positions flash and explode together.
void AddLetterBlasts(GameState& g) {
    for (int32_t i = 4; i <= 11; ++i) {
        AddEffect(g, g.YellowImage, i, 0.0f, 1.2f, -0.02f, 3, 0.5f, -0.01f, 30);
        AddEffect(g, g.ExplodeImage, i, 0.0f, 1.0f, 0.15f, 4, 1.0f, -0.03f, 40);
    }
}

}  // namespace

void StepTitleSweep(GameState& g) {
    if (!(g.SweepPosition > static_cast<float>(g.SweepColumn * g.CellSize))) return;
    g.SweepColumn += 1;
    if (g.SweepColumn == 1) g.SweepPassCount += 1;

    int32_t k = g.SweepColumn;
    bool letterStep = k >= kFirstLetterStep && k <= kLastLetterStep;
    switch (g.SweepPassCount % 4) {
        case 1:
            if (letterStep) AddLetter(g, k);
            break;
        case 0:
            if (letterStep) AddLitLetter(g, k);
            if (k == kBlastStep) AddLetterBlasts(g);
            break;
        default: break;
    }
}

}  // namespace tuublark
