// The title screen: the letter animation of the title sweep over four
// passes, and the instructions blinking with the sweep column.
#include <algorithm>
#include <tuple>

#include "game/frame_loop.h"
#include "game/presentation/screens.h"
#include "presentation_fixture.h"

namespace tuublark::testing {
namespace {

class TitleTest : public PresentationTest {
protected:
    // Runs title frames as the frame loop does (draw, then advance the
    // sweep) and gives what each frame drew.
    std::vector<std::vector<TDrawn>> RunTitleFrames(int frames) {
        std::vector<std::vector<TDrawn>> out;
        for (int f = 0; f < frames; ++f) {
            log->Clear();
            UpdateTitleScreen(g);
            out.push_back(Drawn());
            AdvanceSweep(g);
        }
        return out;
    }

    static std::vector<TDrawn> Only(const std::vector<TDrawn>& draws, const std::string& what, int blend) {
        std::vector<TDrawn> out;
        for (const TDrawn& d : draws)
            if (d.What == what && d.State.Blend == blend) out.push_back(d);
        return out;
    }

    // The frame (1-based) of column step k in pass p, at 2 px per frame:
    // the line passes column k - 1's left edge 2 px into it.
    static int StepFrame(int pass, int k) { return (pass - 1) * 240 + (k - 1) * 15 + 2; }
};

// When each effect of the title sweep starts and how long it lives is the
// golden replay's (its trace counts the effects through a 1065-frame
// title); here which picture each shows, where, and with which blend.
TEST_F(TitleTest, LettersStandAndBurstInTheFirstPassAndAreLitAndExplodeInTheFourth) {
    auto frames = RunTitleFrames(4 * 240);
    for (int i = 1; i <= 8; ++i) {
        const std::string letter = "TitleLetter" + std::to_string(i);
        const int k = i + 4;  // column step that brings letter i
        const float x = 175.0f + 30.0f * (k - 1);
        EXPECT_TRUE(Only(frames[StepFrame(1, k) - 2], letter, 2).empty()) << letter;
        const auto& step = frames[StepFrame(1, k) - 1];
        auto standing = Only(step, letter, 2);
        ASSERT_EQ(standing.size(), 1u) << letter;
        EXPECT_FLOAT_EQ(standing[0].X, x);
        EXPECT_FLOAT_EQ(standing[0].Y, 245.0f);
        EXPECT_EQ(Only(step, letter, 3).size(), 1u) << letter << ": its burst";
        auto lit = Only(frames[StepFrame(4, k) - 1], "LightTriggered", 2);
        EXPECT_TRUE(std::any_of(lit.begin(), lit.end(), [&](const TDrawn& d) { return d.X == x; })) << letter;
    }
    // Step 13 of pass 4: all eight positions flash (blend 3) then explode
    // (blend 4), in column order, on the letters' row.
    std::vector<std::tuple<std::string, int, float, float>> blasts, expected;
    for (const TDrawn& d : frames[StepFrame(4, 13) - 1])
        if (d.What == "Yellow" || d.What == "Explode") blasts.emplace_back(d.What, d.State.Blend, d.X, d.Y);
    for (float x = 295; x < 295 + 30 * 8; x += 30)
        expected.insert(expected.end(), {{"Yellow", 3, x, 245.0f}, {"Explode", 4, x, 245.0f}});
    EXPECT_EQ(blasts, expected);
}

TEST_F(TitleTest, TitleFrameOrderPanelInstructionsEffectsSweepLine) {
    g.SweepColumn = 5;
    g.SweepPosition = 150.0f;
    AddEffect("Spark", 10);
    auto p = std::make_shared<TPopup>();
    p->Text = "9", p->Scale = 1, p->Blend = 3, p->Alpha = 1, p->Life = 10;
    ListAddLast(g.PopupList, p);
    UpdateTitleScreen(g);
    auto names = Names();
    auto at = [&](const std::string& what) { return std::find(names.begin(), names.end(), what) - names.begin(); };
    EXPECT_LT(at("Reticule"), at("Instructions"));
    EXPECT_LT(at("Instructions"), at("text:9"));
    EXPECT_LT(at("text:9"), at("Spark"));
    EXPECT_LT(at("Spark"), at("line"));
    EXPECT_EQ(DrawnOf("AnimalA").size() + DrawnOf("AnimalB").size(), 0u) << "no cells or queue on the title";
}

}  // namespace
}  // namespace tuublark::testing
