// The play screen: drawing order and the state each step sets, the queue
// preview's slide, the marked-square highlights, the panel
// numbers and the play clock.
#include <algorithm>
#include <functional>
#include <tuple>

#include "game/board/cells.h"
#include "game/presentation/menu_drawing.h"
#include "game/presentation/screens.h"
#include "presentation_fixture.h"

namespace tuublark::testing {
namespace {

class PlayScreenTest : public PresentationTest {
protected:
    void SetUp() override {
        PresentationTest::SetUp();
        g.Screen = 2;
        g.SkinIndex = 1;
        g.PieceQueue = {"1212", "2121", "1122"};
    }

    static bool IsQueueDraw(const TDrawn& d) {
        return (d.What == "AnimalA" || d.What == "AnimalB") && (d.X == 65.0f || d.X == 95.0f);
    }
    std::vector<TDrawn> QueueDraws() const {
        std::vector<TDrawn> out;
        for (const TDrawn& d : Drawn())
            if (IsQueueDraw(d)) out.push_back(d);
        return out;
    }
};

// The layers of a play frame, back to front. A popup, an effect or the
// sweep line drawn before the cells would be hidden under them.
TEST_F(PlayScreenTest, LayersAreDrawnBackToFront) {
    g.Board[0][11] = CellSettledA;
    g.Board[3][10] = g.Board[4][10] = g.Board[3][11] = g.Board[4][11] = CellMarkedB;
    g.SweepPosition = 100.0f;
    AddEffect("Spark", 10);
    auto p = std::make_shared<TPopup>();
    p->Text = "5", p->X = 200, p->Y = 200, p->Scale = 1, p->Blend = 4, p->Alpha = 1, p->Life = 10;
    ListAddLast(g.PopupList, p);

    DrawPlayScreen(g);
    std::vector<TDrawn> d = Drawn();
    auto first = [&](const std::function<bool(const TDrawn&)>& is) {
        return std::find_if(d.begin(), d.end(), is) - d.begin();
    };
    auto named = [&](const std::string& what) { return first([&](const TDrawn& x) { return x.What == what; }); };
    const auto cell = first([](const TDrawn& x) { return x.What == "AnimalA" && x.X == 175.0f; });
    const auto highlight = first([](const TDrawn& x) { return x.State.ScaleX() > 1.5f; });
    const std::vector<std::ptrdiff_t> order = {
        named("Background1"), named("Grid"), named("Reticule"), cell, highlight, named("text:5"),
        named("Spark"),       named("line"), named("WipeArrow")};
    for (size_t k = 0; k < order.size(); ++k) ASSERT_LT(order[k], static_cast<std::ptrdiff_t>(d.size())) << k;
    for (size_t k = 1; k < order.size(); ++k) EXPECT_LT(order[k - 1], order[k]) << "layer " << k;
    // The popup is drawn at its own scale, not at the highlight's.
    EXPECT_FLOAT_EQ(d[named("text:5")].State.ScaleX(), 1.0f);
}

TEST_F(PlayScreenTest, QueueIs90PixelsLowerWithTwoSlotsAfterASpawnAndBackAfter30Frames) {
    g.QueueSlide = 30;
    for (int frame = 1; frame <= 31; ++frame) {
        log->Clear();
        DrawPlayScreen(g);
        auto q = QueueDraws();
        ASSERT_EQ(q.size(), frame <= 30 ? 8u : 12u) << frame;
        EXPECT_FLOAT_EQ(q[2].Y, 125.0f + 3 * (31 - frame)) << frame;  // slot 0, top row
        EXPECT_FLOAT_EQ(q[6].Y, q[2].Y + 90) << frame;                // slot 1, top row
    }
    EXPECT_EQ(g.QueueSlide, 0);
}

TEST_F(PlayScreenTest, HighlightsOnlyForMarkedSquaresWithTopRow2To10) {
    auto square = [&](int c, int r, int code) {
        g.Board[c][r] = g.Board[c + 1][r] = g.Board[c][r + 1] = g.Board[c + 1][r + 1] = code;
    };
    square(0, 10, CellMarkedA);   // top row 10: highlighted
    square(3, 0, CellMarkedA);    // top row 0: not
    square(6, 1, CellMarkedB);    // top row 1: not
    square(9, 2, CellMarkedB);    // top row 2: highlighted
    square(12, 5, CellSettledA);  // not marked
    // The bottom row and the top row of the next column are no square.
    g.Board[12][11] = g.Board[13][11] = g.Board[13][0] = g.Board[14][0] = CellMarkedB;
    g.Board[14][8] = g.Board[15][8] = g.Board[14][9] = CellMarkedA;
    g.Board[15][9] = CellMarkedB;  // mixed codes
    DrawPlayScreen(g);
    std::vector<std::tuple<std::string, float, float>> highlights;  // centred on their squares
    for (const TDrawn& d : Drawn())
        if (d.State.ScaleX() > 1.5f) highlights.emplace_back(d.What, d.X, d.Y);
    EXPECT_EQ(highlights, (decltype(highlights){{"AnimalALit", 190.0f, 440.0f}, {"AnimalBLit", 460.0f, 200.0f}}));
}

TEST_F(PlayScreenTest, PlayClockText) {
    struct Case {
        int h, m, s;
        std::string text;
    };
    for (const Case& c : {Case{0, 0, 0, "00"}, Case{0, 0, 7, "07"}, Case{0, 1, 5, "01:05"}, Case{0, 59, 59, "59:59"},
                          Case{2, 0, 9, "02:00:09"}, Case{12, 3, 0, "12:03:00"}}) {
        g.PlayHours = c.h, g.PlayMinutes = c.m, g.PlaySeconds = c.s;
        log->Clear();
        DrawPlayTime(g);
        auto d = Drawn();
        ASSERT_EQ(d.size(), 1u);
        EXPECT_EQ(d[0].What, "text:" + c.text);
        EXPECT_FLOAT_EQ(d[0].X, 780.0f - kGlyphWidth * c.text.size()) << c.text;
        EXPECT_FLOAT_EQ(d[0].Y, 235.0f);
    }
}

TEST_F(PlayScreenTest, GlowLinesLeftOfTheBoardAreSkipped) {
    g.SweepPosition = 10.0f;
    DrawSweepLine(g);
    auto lines = DrawnOf("line");
    ASSERT_EQ(lines.size(), 6u);  // the line and glow i = 1..5
    EXPECT_FLOAT_EQ(lines[0].X, 170.0f);
    EXPECT_FLOAT_EQ(lines[5].X, 160.0f);
    // A yellow line, an orange glow (a shade off would pass a golden screen).
    auto rgb = [](const TDrawn& d) { return std::tuple(d.State.R, d.State.G, d.State.B); };
    EXPECT_EQ(rgb(lines[0]), std::tuple(255, 192, 0));
    EXPECT_EQ(rgb(lines[1]), std::tuple(255, 128, 0));
    g.SweepPosition = 0.0f;
    log->Clear();
    DrawSweepLine(g);
    EXPECT_EQ(DrawnOf("line").size(), 1u);
    // The pass count reads 0, right-aligned 5 px left of the line.
    auto text = DrawnOf("text:0");
    ASSERT_EQ(text.size(), 1u);
    EXPECT_FLOAT_EQ(text[0].X, 155.0f - kGlyphWidth);
}

TEST_F(PlayScreenTest, MenuLinesAreYellowWhenChosenElseLightGreyOverTheFrameDimmed) {
    TMenuDrawing menu(CreatePixmap(8, 6, PixelFormatRGB888));
    menu.Begin();
    menu.Line("A", 100, true);
    menu.Line("B", 130);
    std::vector<std::tuple<std::string, int, int, int>> lines;
    for (const TDrawn& d : Drawn()) lines.emplace_back(d.What, d.State.R, d.State.G, d.State.B);
    EXPECT_EQ(lines, (decltype(lines){{"", 80, 80, 90}, {"text:A", 255, 214, 64}, {"text:B", 235, 235, 235}}));
}

}  // namespace
}  // namespace tuublark::testing
