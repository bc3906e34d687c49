// The sweep's column steps: a square's removal with its effects and popup,
// loosening above gaps, and the scoring of groups larger than the golden
// replay makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/image/image.h"
#include "engine/input/random.h"
#include "game/board/board.h"
#include "game/frame_loop.h"
#include "game/game_state.h"
#include "game/startup.h"

namespace tuublark::test {
namespace {

// A game in progress on a fresh state record, without display or assets.
class SweepTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGameState(g);
        // What a new game of skin 1 leaves, without loading anything.
        g.Screen = kPlayScreen;
        g.Level = g.SkinIndex = 1;
        g.SpawnDelay = g.FallTimer = 180;
        g.FallInterval = 60;
        g.CellsPerLevel = 10;
        AllocGameChannels(g);
        // Distinct pictures, so tests can tell which one an effect shows.
        for (ImageRef* image : {&g.AnimalAImage, &g.AnimalBImage, &g.AnimalAShockImage, &g.AnimalBShockImage,
                                &g.SquareBurstImage, &g.YellowImage, &g.ExplodeImage})
            *image = std::make_shared<TImage>();
        g.PieceQueue = {"1111", "2222", "1212"};
        SeedRandom(1234);
    }

    // Row r of the board: '.' empty, '1'..'9' the codes 1..9, 'X' code 10.
    std::string Row(int r) const {
        std::string text;
        for (int c = 0; c < kBoardColumns; ++c) text += ".123456789X?"[std::clamp(g.Board[c][r], 0, 11)];
        return text;
    }

    void Fill(int c0, int r0, int c1, int r1, int code) {
        for (int c = c0; c <= c1; ++c)
            for (int r = r0; r <= r1; ++r) g.Board[c][r] = code;
    }

    int CountCode(int code) const {
        int n = 0;
        for (const auto& column : g.Board)
            for (int32_t cell : column) n += cell == code;
        return n;
    }

    // The board and sweep part of a play frame, then the sweep advance.
    void PlayFrame() {
        g.FrameSounds.clear();
        UpdateBoard(g);
        UpdateSweep(g);
        AdvanceSweep(g);
    }

    // Play frames until the column step `step` of the current pass is made.
    void PlayUntilStep(int step) {
        for (int guard = 0; guard < 1000; ++guard) {
            PlayFrame();
            if (g.SweepColumn == step) return;
        }
        FAIL() << "column step " << step << " never came";
    }

    // The items of an effect or popup list, in order.
    template <class T>
    static std::vector<std::shared_ptr<T>> Items(TList<T>& list) {
        std::vector<std::shared_ptr<T>> items;
        list.Walk([&](const std::shared_ptr<T>& item) { items.push_back(item); });
        return items;
    }
    auto Effects() { return Items(g.EffectList); }
    auto Popups() { return Items(g.PopupList); }

    GameState g;
};

void ExpectPopup(const PopupRef& popup, const std::string& text, float x, float y) {
    EXPECT_EQ(popup->Text, text);
    EXPECT_EQ(popup->X, x) << text;
    EXPECT_EQ(popup->Y, y) << text;
}

// The rule values along the way are the golden replay's concern (its trace
// holds every field); here the steps, and what the trace does not show:
// the effects' pictures and places, and the popup's.
TEST_F(SweepTest, OneSquareScoresThirteenThenAHundredAndFortyAtThePassEnd) {
    Fill(4, 8, 5, 9, CellSettledA);
    g.DeletedCount = 6;
    PlayFrame();
    EXPECT_EQ(g.Score, 13);
    EXPECT_EQ(g.EffectList.Count(), 2u);
    PlayUntilStep(5);
    EXPECT_EQ(Row(8) + Row(9), "....53..............53..........");
    PlayUntilStep(6);
    EXPECT_EQ(Row(8), "....55..........");
    PlayUntilStep(7);
    EXPECT_EQ(CountCode(CellEmpty), 192);
    EXPECT_EQ(g.Score, 113);
    EXPECT_EQ(g.LevelUpPending, 1);
    auto popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    ExpectPopup(popups[0], "100", 310.0f, 380.0f);
    // Removal order: column 4 rows 8, 9, then column 5; flash before blast.
    auto effects = Effects();
    ASSERT_EQ(effects.size(), 2u + 8u);
    EXPECT_EQ(effects[2]->Image, g.YellowImage);
    EXPECT_EQ(effects[3]->Image, g.ExplodeImage);
    EXPECT_EQ(effects[2]->X, 295.0f);
    EXPECT_EQ(effects[2]->Y, 365.0f);
    EXPECT_EQ(effects[4]->Y, 395.0f);
    EXPECT_EQ(effects[6]->X, 325.0f);
    while (g.SweepColumn != 0) PlayFrame();
    EXPECT_EQ(g.Score, 153);
    EXPECT_EQ(g.Level, 2);
}

TEST_F(SweepTest, LoosenAboveGapsLoosensRestingCellsOnRowsTwoToElevenOnly) {
    const int32_t column[12] = {1, 2, 4, 0, 0, 9, 7, 5, 2, 3, 0, 1};
    for (int r = 0; r < 12; ++r) g.Board[3][r] = column[r];
    Fill(9, 4, 9, 11, CellMarkedA);  // no gap: stays
    LoosenAboveGaps(g);
    const int32_t expected[12] = {1, 2, 8, 0, 0, 9, 7, 5, 8, 7, 0, 1};
    for (int r = 0; r < 12; ++r) EXPECT_EQ(g.Board[3][r], expected[r]) << "row " << r;
    EXPECT_EQ(CountCode(CellMarkedA), 8);
}

TEST_F(SweepTest, MultiplierFollowsTheGroupSize) {
    struct Case {
        int32_t Cells;
        int32_t Points;
        const char* Label;
    };
    const Case cases[] = {{1, 25, ""},      {5, 125, ""},     {6, 300, "2x"},    {7, 350, "2x"},
                          {8, 600, "3x"},   {11, 825, "3x"},  {12, 1200, "4x"},  {15, 1500, "4x"},
                          {16, 2000, "5x"}, {23, 2875, "5x"}, {24, 6000, "10x"}, {40, 10000, "10x"}};
    for (const Case& c : cases) {
        g.PopupList.Clear();
        g.Score = 0;
        g.PassCells = 0;
        g.GroupCells = c.Cells;
        ScoreClearedGroup(g);
        EXPECT_EQ(g.Score, c.Points) << c.Cells;
        EXPECT_EQ(g.PassCells, c.Cells);
        auto popups = Popups();
        ASSERT_EQ(popups.size(), c.Label[0] ? 2u : 1u) << c.Cells;
        EXPECT_EQ(popups[0]->Text, std::to_string(c.Points));
        if (c.Label[0]) {
            EXPECT_EQ(popups[1]->Text, c.Label);
        }
    }
}

TEST_F(SweepTest, PopupPointHalvesTowardZero) {
    // A box whose right bound stayed 0: the halving is negative.
    g.ClearBoxLeft = 5, g.ClearBoxRight = 0, g.ClearBoxTop = 3, g.ClearBoxBottom = 0, g.GroupCells = 4;
    ScoreClearedGroup(g);
    auto popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    ExpectPopup(popups[0], "100", 175.0f + 150 - 75, 125.0f + 90 - 45);
}

}  // namespace
}  // namespace tuublark::test
