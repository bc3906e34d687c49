// Short-lived animated pictures (effects) and floating texts (popups).
//
// Each lives in its list until its Life runs out; Update moves it on by one
// frame and removes it from its list when Life reaches 0, Draw shows it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/image/image.h"

namespace tuublark {

struct GameState;

class TEffect {
public:
    float X = 0, DX = 0, Y = 0, DY = 0;
    ImageRef Image;
    float Scale = 0, Rotation = 0, ScaleSpeed = 0, RotationSpeed = 0;
    int32_t Blend = 0;
    float Alpha = 0, AlphaSpeed = 0;
    int32_t Life = 0;

    virtual ~TEffect() = default;
    virtual void Update(GameState& g);
    virtual void Draw(GameState& g);
};

class TPopup {
public:
    float X = 0, DX = 0, Y = 0, DY = 0;
    std::string Text;
    float Scale = 0, ScaleSpeed = 0;
    int32_t Blend = 0;
    float Alpha = 0, AlphaSpeed = 0;
    int32_t Life = 0;

    virtual ~TPopup() = default;
    virtual void Update(GameState& g);
    virtual void Draw(GameState& g);
};

using EffectRef = std::shared_ptr<TEffect>;
using PopupRef = std::shared_ptr<TPopup>;

}  // namespace tuublark
