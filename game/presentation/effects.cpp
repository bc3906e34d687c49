#include "game/presentation/effects.h"

#include "engine/image/draw.h"
#include "engine/text/font.h"
#include "game/game_state.h"
#include "game/presentation/screens.h"

namespace tuublark {

void TEffect::Update(GameState& g) {
    X += DX;
    Y += DY;
    Scale += ScaleSpeed;
    Rotation += RotationSpeed;
    Alpha += AlphaSpeed;
    Life -= 1;
    // The walk has already stepped past this link, so leaving is safe.
    if (Life == 0) ListRemove(g.EffectList, this);
}

void TEffect::Draw(GameState&) {
    SetScale(Scale, Scale);
    SetBlendMode(Blend);
    SetDrawAlpha(Alpha);  // the engine clamps a faded-out alpha to 0
    SetRotation(Rotation);
    DrawImage(Image, X, Y, 0);
}

void TPopup::Update(GameState& g) {
    X += DX;
    Y += DY;
    Scale += ScaleSpeed;
    Alpha += AlphaSpeed;
    Life -= 1;
    if (Life == 0) ListRemove(g.PopupList, this);
}

void TPopup::Draw(GameState&) {
    SetScale(Scale, Scale);
    SetBlendMode(Blend);
    SetDrawAlpha(Alpha);
    int32_t h = TextHeight(Text);
    int32_t w = TextWidth(Text);
    // Centred on (X, Y) at the current scale; TextWidth is unscaled.
    DrawText(Text, X - static_cast<float>(w / 2) * Scale, Y - static_cast<float>(h / 2) * Scale);
}

// Oldest first; each object moves on and is drawn in the same visit, so one
// that leaves its list in Update is still shown this frame.
void RunEffects(GameState& g) {
    g.EffectList.Walk([&](const EffectRef& effect) {
        effect->Update(g);
        effect->Draw(g);
    });
}

void RunPopups(GameState& g) {
    g.PopupList.Walk([&](const PopupRef& popup) {
        popup->Update(g);
        popup->Draw(g);
    });
}

}  // namespace tuublark
