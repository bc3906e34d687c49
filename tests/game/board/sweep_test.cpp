// The sweep's column steps: triggering, group removal, scoring, falling
// after a removal, the pass start, and the sounds of the sweep.
#include <algorithm>

#include "tests/game/board/board_fixture.h"

namespace tuublark::test {
namespace {

using SweepTest = BoardTest;

bool Played(const GameState& g, const std::string& note) {
    return std::find(g.FrameSounds.begin(), g.FrameSounds.end(), note) != g.FrameSounds.end();
}

void ExpectPopup(const PopupRef& popup, const std::string& text, float x, float y) {
    EXPECT_EQ(popup->Text, text);
    EXPECT_EQ(popup->X, x) << text;
    EXPECT_EQ(popup->Y, y) << text;
}

TEST_F(SweepTest, OneSquareScoresThirteenThenAHundredAndFortyAtThePassEnd) {
    Fill(4, 8, 5, 9, CellSettledA);
    g.DeletedCount = 6;
    PlayFrame();
    EXPECT_EQ(g.Score, 13);
    EXPECT_EQ(g.EffectList.Count(), 2u);

    PlayUntilStep(1);
    EXPECT_TRUE(Played(g, "MusicChannelA:Audio/Drumloop1.ogg"));
    EXPECT_EQ(g.NextSoundChannel, 1);  // the square's request moved it on

    PlayUntilStep(5);
    EXPECT_EQ(Rows(8)[0], "....53..........");
    EXPECT_EQ(Rows(8)[1], "....53..........");
    PlayUntilStep(6);
    EXPECT_EQ(Rows(8)[0], "....55..........");
    EXPECT_EQ(g.Score, 13);

    PlayUntilStep(7);
    EXPECT_EQ(CountCode(CellEmpty), 192);
    EXPECT_EQ(g.Score, 113);
    EXPECT_EQ(g.PassCells, 4);
    EXPECT_EQ(g.DeletedCount, 10);
    EXPECT_EQ(g.LevelUpPending, 1);
    EXPECT_EQ(g.Level, 1);
    EXPECT_EQ(g.GroupCells, 0);
    EXPECT_EQ(g.ClearBoxLeft + g.ClearBoxRight + g.ClearBoxTop + g.ClearBoxBottom, 0);
    EXPECT_TRUE(Played(g, "EffectChannel2:Audio/bleepecho.ogg"));
    EXPECT_EQ(g.NextSoundChannel, 2);

    auto popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    ExpectPopup(popups[0], "100", 310.0f, 380.0f);
    EXPECT_FLOAT_EQ(popups[0]->DY, -0.5f);
    EXPECT_EQ(popups[0]->Blend, 4);
    EXPECT_FLOAT_EQ(popups[0]->Alpha, 1.0f);
    EXPECT_FLOAT_EQ(popups[0]->AlphaSpeed, -0.01f);
    EXPECT_FLOAT_EQ(popups[0]->Scale, 1.0f);
    EXPECT_EQ(popups[0]->Life, 100);

    auto effects = Effects();
    ASSERT_EQ(effects.size(), 2u + 8u);
    // Removal order: column 4 rows 8, 9, then column 5; flash before blast.
    EXPECT_EQ(effects[2]->Image, g.YellowImage);
    EXPECT_EQ(effects[2]->X, 295.0f);
    EXPECT_EQ(effects[2]->Y, 365.0f);
    EXPECT_FLOAT_EQ(effects[2]->Scale, 1.2f);
    EXPECT_FLOAT_EQ(effects[2]->ScaleSpeed, -0.02f);
    EXPECT_EQ(effects[2]->Life, 30);
    EXPECT_EQ(effects[3]->Image, g.ExplodeImage);
    EXPECT_FLOAT_EQ(effects[3]->ScaleSpeed, 0.15f);
    EXPECT_FLOAT_EQ(effects[3]->AlphaSpeed, -0.03f);
    EXPECT_EQ(effects[3]->Life, 40);
    EXPECT_EQ(effects[4]->Y, 395.0f);
    EXPECT_EQ(effects[6]->X, 325.0f);

    while (g.SweepColumn != 0) PlayFrame();
    EXPECT_EQ(g.Score, 153);
    EXPECT_EQ(g.PassCells, 0);
    EXPECT_EQ(g.Level, 2);
    EXPECT_EQ(g.FallInterval, 53);
}

TEST_F(SweepTest, TwoSquaresSideBySideAreOneGroupOfEight) {
    Fill(4, 8, 7, 9, CellSettledB);
    PlayFrame();
    const int32_t marked = g.Score;
    EXPECT_EQ(marked, 39);  // three overlapping squares
    PlayUntilStep(8);
    EXPECT_EQ(g.Score, marked);
    PlayUntilStep(9);
    EXPECT_EQ(g.Score, marked + 600);
    auto popups = Popups();
    ASSERT_EQ(popups.size(), 2u);
    ExpectPopup(popups[0], "600", 340.0f, 380.0f);
    ExpectPopup(popups[1], "3x", 340.0f, 380.0f);
    EXPECT_FLOAT_EQ(popups[1]->DY, -0.1f);
    EXPECT_FLOAT_EQ(popups[1]->ScaleSpeed, 0.2f);
    EXPECT_EQ(popups[1]->Blend, 3);
    EXPECT_FLOAT_EQ(popups[1]->AlphaSpeed, -0.02f);
    EXPECT_EQ(popups[1]->Life, 50);
}

TEST_F(SweepTest, ContinuationDoesNotCompareColours) {
    Fill(4, 8, 5, 9, CellSettledA);
    Fill(6, 8, 7, 9, CellSettledB);
    PlayFrame();
    EXPECT_EQ(g.Score, 26);
    PlayUntilStep(9);
    EXPECT_EQ(g.Score, 26 + 600);
    EXPECT_EQ(g.PassCells, 8);
}

TEST_F(SweepTest, SquaresTouchingOnlyAtACornerAreScoredApart) {
    Fill(4, 8, 5, 9, CellSettledA);
    Fill(6, 10, 7, 11, CellSettledA);
    PlayFrame();
    EXPECT_EQ(g.Score, 26);
    PlayUntilStep(7);
    EXPECT_EQ(g.Score, 126);
    EXPECT_EQ(g.Board[6][10], CellTriggeredA);  // the second group has begun
    PlayUntilStep(9);
    EXPECT_EQ(g.Score, 226);
    auto popups = Popups();
    ASSERT_EQ(popups.size(), 2u);
    // The box already held the second group's first column when the first
    // group was scored.
    ExpectPopup(popups[0], "100", 325.0f, 410.0f);
    ExpectPopup(popups[1], "100", 385.0f, 440.0f);
}

TEST_F(SweepTest, BlockTwoWideThreeHighScoresTwoSquaresThenOneGroupOfSix) {
    Fill(4, 9, 5, 11, CellSettledB);
    PlayFrame();
    EXPECT_EQ(g.Score, 26);
    EXPECT_EQ(g.SquareBRequest, 1);
    PlayUntilStep(7);
    EXPECT_EQ(g.Score, 26 + 300);
    auto popups = Popups();
    ASSERT_EQ(popups.size(), 2u);
    EXPECT_EQ(popups[0]->Text, "300");
    EXPECT_EQ(popups[1]->Text, "2x");
}

TEST_F(SweepTest, GroupReachingTheLastColumnIsRemovedAtTheNextPassStart) {
    Fill(14, 10, 15, 11, CellSettledA);
    PlayUntilStep(16);
    EXPECT_EQ(Rows(10)[0], "..............55");
    while (g.SweepColumn != 0) PlayFrame();
    EXPECT_EQ(g.Score, 13);  // nothing removed in the first pass
    EXPECT_EQ(g.SweepGroupOpen, 1);

    const size_t effectsBefore = g.EffectList.Count();
    PlayUntilStep(1);
    EXPECT_EQ(g.Score, 113);
    EXPECT_EQ(g.PassCells, 4);
    EXPECT_EQ(CountCode(CellEmpty), 192);
    auto popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    ExpectPopup(popups[0], "100", 610.0f, 440.0f);
    auto effects = Effects();
    ASSERT_EQ(effects.size(), effectsBefore + 8);
    const EffectRef& flash = effects[effectsBefore];
    const EffectRef& blast = effects[effectsBefore + 1];
    EXPECT_EQ(flash->Image, g.YellowImage);
    EXPECT_EQ(flash->Life, 50);
    EXPECT_EQ(flash->X, 595.0f);
    EXPECT_EQ(flash->Y, 425.0f);
    EXPECT_EQ(blast->Image, g.ExplodeImage);
    EXPECT_FLOAT_EQ(blast->ScaleSpeed, 0.1f);
    EXPECT_FLOAT_EQ(blast->AlphaSpeed, -0.05f);
    EXPECT_EQ(blast->Life, 50);
    EXPECT_TRUE(Played(g, "MusicChannelB:Audio/Drumloop1.ogg"));

    while (g.SweepColumn != 0) PlayFrame();
    EXPECT_EQ(g.Score, 153);
}

TEST_F(SweepTest, CellsAboveARemovalFallLoseTheirMarkAndAreMarkedAgainWhereTheyLand) {
    Fill(4, 10, 5, 11, CellSettledA);
    PlayUntilStep(6);
    // A square of the other colour marked after the line passed its columns.
    Fill(4, 8, 5, 9, CellMarkedB);
    PlayUntilStep(7);
    EXPECT_EQ(g.Score, 113);
    EXPECT_EQ(Rows(8), (std::vector<std::string>{
                           "....88..........",
                           "....88..........",
                           "................",
                           "................",
                       }));
    PlayFrame();
    PlayFrame();
    EXPECT_EQ(Rows(10)[1], "....88..........");
    PlayFrame();
    EXPECT_EQ(Rows(10), (std::vector<std::string>{"....44..........", "....44.........."}));
    EXPECT_EQ(g.Score, 126);
}

TEST_F(SweepTest, SquareCompletedBehindTheLineJoinsTheGroup) {
    Fill(6, 10, 7, 11, CellSettledA);
    PlayUntilStep(7);
    EXPECT_EQ(g.Board[6][10], CellTriggeredA);
    Fill(4, 10, 5, 11, CellSettledA);
    PlayFrame();
    EXPECT_EQ(Rows(10)[0], "....5553........");
    EXPECT_EQ(Rows(10)[1], "....5553........");
    PlayUntilStep(9);
    EXPECT_EQ(g.Score, 13 + 13 + 600);
    EXPECT_EQ(CountCode(CellEmpty), 192);
}

TEST_F(SweepTest, ColumnStepWaitsUntilTheLineIsPastTheColumnEdge) {
    Fill(0, 10, 1, 11, CellMarkedA);
    g.SweepColumn = 1;
    g.SweepPosition = 30.0f;
    UpdateSweep(g);
    EXPECT_EQ(g.SweepColumn, 1);
    EXPECT_TRUE(g.FrameSounds.empty());
    g.SweepPosition = 30.5f;
    UpdateSweep(g);
    EXPECT_EQ(g.SweepColumn, 2);
    EXPECT_EQ(g.Board[1][10], CellTriggeredA);
    EXPECT_EQ(g.Board[0][10], CellMarkedA);  // column 0 belongs to step 1
}

TEST_F(SweepTest, PassStartTriggersColumnZero) {
    Fill(0, 9, 1, 10, CellMarkedB);
    g.SweepPosition = 0.5f;
    UpdateSweep(g);
    EXPECT_EQ(g.SweepColumn, 1);
    EXPECT_EQ(g.SweepPassCount, 1);
    EXPECT_EQ(Rows(9)[0], "64..............");
    EXPECT_EQ(Rows(9)[1], "64..............");
    EXPECT_EQ(g.ClearBoxTop, 9);
    EXPECT_EQ(g.ClearBoxBottom, 10);
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
    const Case cases[] = {{1, 25, ""},     {5, 125, ""},    {6, 300, "2x"},   {7, 350, "2x"},
                          {8, 600, "3x"},  {11, 825, "3x"}, {12, 1200, "4x"}, {15, 1500, "4x"},
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
    g.ClearBoxLeft = 5;
    g.ClearBoxRight = 0;
    g.ClearBoxTop = 3;
    g.ClearBoxBottom = 0;
    g.GroupCells = 4;
    ScoreClearedGroup(g);
    auto popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    ExpectPopup(popups[0], "100", 175.0f + 150 - 75, 125.0f + 90 - 45);
}

TEST_F(SweepTest, SoundRequestsAreFlagsServedAtTheNextColumnStep) {
    g.NextSoundChannel = 3;
    RequestSound(g, 1);
    RequestSound(g, 1);
    RequestSound(g, 4);
    ServiceSoundRequests(g);
    EXPECT_EQ(g.NextSoundChannel, 0);
    EXPECT_TRUE(g.FrameSounds.empty());

    RequestSound(g, 1);
    RequestSound(g, 2);
    RequestSound(g, 3);
    ServiceSoundRequests(g);
    EXPECT_EQ(g.FrameSounds, (std::vector<std::string>{"EffectChannel3:Audio/bleepecho.ogg"}));
    EXPECT_EQ(g.NextSoundChannel, 3);
    EXPECT_EQ(g.SquareARequest + g.SquareBRequest + g.BleepRequest, 0);
}

TEST_F(SweepTest, MusicLoopRestartsEveryPassOnAlternateChannels) {
    g.FrameSounds.clear();
    PlaySweepSounds(g, 1);
    PlaySweepSounds(g, 2);
    PlaySweepSounds(g, 1);
    g.SkinIndex = 0;  // skin 10 once loaded
    PlaySweepSounds(g, 1);
    EXPECT_EQ(g.FrameSounds, (std::vector<std::string>{"MusicChannelA:Audio/Drumloop1.ogg",
                                                       "MusicChannelB:Audio/Drumloop1.ogg",
                                                       "MusicChannelA:Audio/Drumloop10.ogg"}));
    EXPECT_EQ(g.SweepPassCount, 3);
}

TEST_F(SweepTest, StopMusicStopsBothMusicChannels) {
    StopMusic(g);
    EXPECT_EQ(static_cast<TRecordingChannel&>(*g.MusicChannelA).Stopped, 1);
    EXPECT_EQ(static_cast<TRecordingChannel&>(*g.MusicChannelB).Stopped, 1);
}

}  // namespace
}  // namespace tuublark::test
