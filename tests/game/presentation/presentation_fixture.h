// A game state with the start-up values, a fake picture for every
// variable (named as its variable or file), a fake font, and a recording
// render driver, for tests that check what the screens draw.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/image/draw.h"
#include "game/game_state.h"
#include "game/startup.h"
#include "tests/support/recording_render_driver.h"

namespace tuublark::testing {

class PresentationTest : public ::testing::Test {
protected:
    void SetUp() override {
        log = InstallRecordingDriver();
        ResetDrawingState(800, 600);
        SetAutoMidHandle(1);
        SetFont(MakeFakeFont(log));
        ResetGameState(g);
        for (int i = 0; i < 10; ++i) g.Backgrounds[i] = Fake("Background" + std::to_string(i + 1));
        for (int i = 0; i < 8; ++i) g.TitleLetters[i] = Fake("TitleLetter" + std::to_string(i + 1));
        g.OddSkinBackground = g.Backgrounds[0];
        g.EvenSkinBackground = g.Backgrounds[1];
        g.GridImage = Fake("Grid");
        g.WipeArrowImage = Fake("WipeArrow");
        g.AnimalAImage = Fake("AnimalA");
        g.AnimalBImage = Fake("AnimalB");
        g.AnimalALitImage = Fake("AnimalALit");
        g.AnimalBLitImage = Fake("AnimalBLit");
        g.AnimalAShockImage = Fake("AnimalAShock");
        g.AnimalBShockImage = Fake("AnimalBShock");
        g.LightTriggeredImage = Fake("LightTriggered");
        g.DarkTriggeredImage = Fake("DarkTriggered");
        g.YellowImage = Fake("Yellow");
        g.ExplodeImage = Fake("Explode");
        g.SquareBurstImage = Fake("SquareBurst");
        g.InstructionsImage = Fake("Instructions");
        g.GameOverImage = Fake("GameOver");
        g.ScoreTagImage = Fake("ScoreTag");
        g.HiTagImage = Fake("HiTag");
        g.TimeTagImage = Fake("TimeTag");
        g.LevelTagImage = Fake("LevelTag");
        g.DelTagImage = Fake("DelTag");
        g.ReticuleImage = Fake("Reticule");
        g.MarkerDotsImage = Fake("MarkerDots");
        g.SkinupImage = Fake("Skinup");
        log->Clear();
    }

    void TearDown() override {
        SetFont(nullptr);
        SetRenderDriver(nullptr);
    }

    ImageRef Fake(const std::string& name) { return MakeFakeImage(log, name); }

    std::vector<TDrawn> Drawn() const { return Draws(*log); }

    // The draws of one picture (or "line", or "text:..."), in order.
    std::vector<TDrawn> DrawnOf(const std::string& what) const {
        std::vector<TDrawn> out;
        for (const TDrawn& d : Drawn())
            if (d.What == what) out.push_back(d);
        return out;
    }

    // Names of everything drawn, in order.
    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (const TDrawn& d : Drawn()) out.push_back(d.What);
        return out;
    }

    TEffect& AddEffect(const std::string& image, int32_t life) {
        auto effect = std::make_shared<TEffect>();
        effect->Image = Fake(image);
        effect->X = 100, effect->Y = 100, effect->Scale = 1, effect->Blend = 3, effect->Alpha = 1;
        effect->Life = life;
        ListAddLast(g.EffectList, effect);
        return *effect;
    }

    GameState g;
    DrawLogRef log;
};

}  // namespace tuublark::testing
