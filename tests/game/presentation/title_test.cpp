// The title screen: the letter animation of the title sweep over four
// passes, and the instructions blinking with the sweep column.
#include "game/frame_loop.h"
#include "game/presentation/screens.h"
#include "presentation_fixture.h"

namespace tuublark::testing {
namespace {

class TitleTest : public PresentationTest {
protected:
    struct FrameDraws {
        std::vector<TDrawn> Draws;
        int32_t SweepColumn;
        int32_t SweepPassCount;
    };

    // Runs title frames as the frame loop does: draw, then advance the sweep.
    std::vector<FrameDraws> RunTitleFrames(int frames) {
        std::vector<FrameDraws> out;
        for (int f = 0; f < frames; ++f) {
            log->Clear();
            UpdateTitleScreen(g);
            out.push_back({Drawn(), g.SweepColumn, g.SweepPassCount});
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

TEST_F(TitleTest, LettersAppearInFirstPassStandThreePassesAndAreLitAndExplodeInTheFourth) {
    auto frames = RunTitleFrames(5 * 240);

    for (int i = 1; i <= 8; ++i) {
        const std::string letter = "TitleLetter" + std::to_string(i);
        const int k = i + 4;  // column step that brings letter i
        const float x = 175.0f + 30.0f * (k - 1);
        std::vector<int> standing, bursting, lit;
        for (int f = 1; f <= static_cast<int>(frames.size()); ++f) {
            const auto& d = frames[f - 1].Draws;
            for (const TDrawn& s : Only(d, letter, 2)) {
                EXPECT_FLOAT_EQ(s.X, x);
                EXPECT_FLOAT_EQ(s.Y, 245.0f);
                standing.push_back(f);
            }
            if (!Only(d, letter, 3).empty()) bursting.push_back(f);
            for (const TDrawn& s : Only(d, "LightTriggered", 2))
                if (s.X == x) lit.push_back(f);
        }
        // Standing letter: from its step in pass 1 for 720 frames, and again
        // from its step in pass 5.
        ASSERT_GE(standing.size(), 721u) << letter;
        EXPECT_EQ(standing.front(), StepFrame(1, k)) << letter;
        EXPECT_EQ(standing[719], StepFrame(4, k) - 1) << letter;
        EXPECT_EQ(standing[720], StepFrame(5, k)) << letter;
        // The burst flies out in the same frames, 30 of them, in passes 1 and 5.
        ASSERT_EQ(bursting.size(), 60u) << letter;
        EXPECT_EQ(bursting.front(), StepFrame(1, k));
        EXPECT_EQ(bursting[29], StepFrame(1, k) + 29);
        EXPECT_EQ(bursting[30], StepFrame(5, k));
        // Lit in pass 4 from its step to the frame before step 13.
        ASSERT_FALSE(lit.empty()) << letter;
        EXPECT_EQ(lit.front(), StepFrame(4, k)) << letter;
        EXPECT_EQ(lit.back(), StepFrame(4, 13) - 1) << letter;
        EXPECT_EQ(lit.size(), static_cast<size_t>((13 - k) * 15)) << letter;
    }

    // Step 13 of pass 4: all eight positions flash and explode together.
    const auto& blastFrame = frames[StepFrame(4, 13) - 1].Draws;
    auto flashes = Only(blastFrame, "Yellow", 3);
    auto blasts = Only(blastFrame, "Explode", 4);
    ASSERT_EQ(flashes.size(), 8u);
    ASSERT_EQ(blasts.size(), 8u);
    for (int n = 0; n < 8; ++n) {
        EXPECT_FLOAT_EQ(flashes[n].X, 295.0f + 30 * n);
        EXPECT_FLOAT_EQ(blasts[n].X, 295.0f + 30 * n);
        EXPECT_FLOAT_EQ(blasts[n].Y, 245.0f);
    }
    // Flash then blast at each position, in column order.
    std::vector<std::string> order;
    for (const TDrawn& d : blastFrame)
        if (d.What == "Yellow" || d.What == "Explode") order.push_back(d.What);
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(order[2 * n], "Yellow");
        EXPECT_EQ(order[2 * n + 1], "Explode");
    }
    // Nothing is drawn in phases 2 and 3 but the standing letters.
    for (int f = StepFrame(2, 1); f < StepFrame(4, 1); ++f)
        for (const TDrawn& d : frames[f - 1].Draws)
            EXPECT_FALSE(d.What == "Yellow" || d.What == "Explode" || d.What == "LightTriggered") << f;
}

TEST_F(TitleTest, AtMostOneColumnStepPerFrameAndPassCountOnlyAtColumnOne) {
    g.SweepColumn = 0;
    g.SweepPosition = 100.0f;  // four columns behind
    UpdateTitleScreen(g);
    EXPECT_EQ(g.SweepColumn, 1);
    EXPECT_EQ(g.SweepPassCount, 1);
    UpdateTitleScreen(g);
    EXPECT_EQ(g.SweepColumn, 2);
    EXPECT_EQ(g.SweepPassCount, 1);
    g.SweepPosition = 60.0f;  // exactly on column 2's edge: not past it
    UpdateTitleScreen(g);
    EXPECT_EQ(g.SweepColumn, 2);
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
