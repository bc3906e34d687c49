// Effects and popups: lifetime, movement, drawing state, self-removal
// during the walk of their lists.
#include "game/presentation/effects.h"

#include "game/presentation/screens.h"
#include "presentation_fixture.h"

namespace tuublark::testing {
namespace {

using EffectsTest = PresentationTest;

TEST_F(EffectsTest, UpdateMovesBeforeDrawAndDrawSetsScaleBlendAlphaRotationInOrder) {
    TEffect& e = AddEffect("Mover", 10);
    e.DX = 2, e.DY = -1, e.ScaleSpeed = 0.5f, e.AlphaSpeed = -0.25f, e.Blend = 4;
    RunEffects(g);
    auto d = DrawnOf("Mover");
    ASSERT_EQ(d.size(), 1u);
    EXPECT_FLOAT_EQ(d[0].X, 102);
    EXPECT_FLOAT_EQ(d[0].Y, 99);
    EXPECT_FLOAT_EQ(d[0].State.ScaleX(), 1.5f);
    EXPECT_EQ(d[0].State.Blend, 4);
    EXPECT_FLOAT_EQ(d[0].State.Alpha, 0.75f);
    // Scale, blend, alpha, rotation, then the picture.
    std::vector<TOpKind> kinds;
    for (const TRecordedOp& op : log->Ops)
        if (op.Kind != TOpKind::Color) kinds.push_back(op.Kind);
    std::vector<TOpKind> expected = {TOpKind::Transform, TOpKind::Blend, TOpKind::Alpha, TOpKind::Transform,
                                     TOpKind::Quad};
    EXPECT_EQ(kinds, expected);
    // The picture is centred on the effect at its scale (30 px at 1.5 is 45 px).
    EXPECT_FLOAT_EQ(d[0].Args[0] * d[0].State.Ix, -22.5f);
}

TEST_F(EffectsTest, EffectIsDrawnInEachFrameOfItsLifeWithAlphaRunBelowZeroDrawnAsZero) {
    // A group blast: alpha 1.0, -0.03 per frame, 40 frames.
    TEffect& e = AddEffect("Blast", 40);
    e.Alpha = 1.0f, e.AlphaSpeed = -0.03f, e.ScaleSpeed = 0.15f, e.Blend = 4;
    std::vector<float> alphas;
    for (int frame = 1; frame <= 41; ++frame) {
        log->Clear();
        RunEffects(g);
        for (const TDrawn& d : DrawnOf("Blast")) alphas.push_back(d.State.Alpha);
        // The 40th update removes it, and it is still drawn in that frame.
        EXPECT_EQ(g.EffectList.Count(), frame < 40 ? 1u : 0u) << "frame " << frame;
    }
    ASSERT_EQ(alphas.size(), 40u);
    EXPECT_GT(alphas[32], 0.0f);  // frame 33
    for (int frame = 34; frame <= 40; ++frame) EXPECT_EQ(alphas[frame - 1], 0.0f) << "frame " << frame;
}

// How long a popup lives is the golden replay's (its trace counts them).
TEST_F(EffectsTest, PopupIsCentredOnItsPointAtItsScale) {
    auto points = std::make_shared<TPopup>();
    points->Text = "125";  // 30 x 20 in the fake font
    points->X = 300, points->Y = 200, points->DY = -0.5f, points->Scale = 1, points->Blend = 4;
    points->Alpha = 1, points->AlphaSpeed = -0.01f, points->Life = 100;
    auto label = std::make_shared<TPopup>();
    label->Text = "2x";  // 20 x 20
    label->X = 300, label->Y = 200, label->DY = -0.1f, label->Scale = 1, label->ScaleSpeed = 0.2f;
    label->Blend = 3, label->Alpha = 1, label->AlphaSpeed = -0.02f, label->Life = 50;
    ListAddLast(g.PopupList, points);
    ListAddLast(g.PopupList, label);

    RunPopups(g);
    auto d = Drawn();
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].What, "text:125");
    EXPECT_FLOAT_EQ(d[0].X, 300 - 15);  // (30 / 2) x 1
    EXPECT_FLOAT_EQ(d[0].Y, 199.5f - 10);
    EXPECT_EQ(d[0].State.Blend, 4);
    EXPECT_FLOAT_EQ(d[0].State.Alpha, 0.99f);
    EXPECT_EQ(d[1].What, "text:2x");
    EXPECT_FLOAT_EQ(d[1].State.ScaleX(), 1.2f);
    EXPECT_FLOAT_EQ(d[1].X, 300 - 10 * 1.2f);
    EXPECT_FLOAT_EQ(d[1].Y, 199.9f - 10 * 1.2f);
}

TEST_F(EffectsTest, OddTextWidthHalvesTruncatedBeforeScaling) {
    SetFont(nullptr);  // built-in font: 8 x 16 per character
    auto font = MakeFakeFont(log);
    font->Glyphs['1' - 32].Advance = 7;  // "1" is 7 wide: w / 2 = 3
    SetFont(font);
    auto p = std::make_shared<TPopup>();
    p->Text = "1";
    p->X = 100, p->Y = 100, p->Scale = 2, p->Blend = 3, p->Alpha = 1, p->Life = 5;
    ListAddLast(g.PopupList, p);
    RunPopups(g);
    auto d = Drawn();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_FLOAT_EQ(d[0].X, 100 - 3 * 2);
    EXPECT_FLOAT_EQ(d[0].Y, 100 - 10 * 2);
}

}  // namespace
}  // namespace tuublark::testing
