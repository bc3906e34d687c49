// The board update: fall steps, landing and splitting, the end of a game,
// loose cells, the sideways move and the fall clock.
#include "tests/game/board/board_fixture.h"

namespace tuublark::test {
namespace {

using BoardUpdateTest = BoardTest;

int PieceCells(const GameState& g) {
    int n = 0;
    for (const auto& column : g.Board)
        for (int32_t cell : column) n += cell == CellPieceA || cell == CellPieceB;
    return n;
}

TEST_F(BoardUpdateTest, DueFallStepMovesPieceDownOneRowWithTwoTopTrails) {
    PlacePiece(5, 3, CellPieceA, CellPieceB, CellPieceB, CellPieceA);
    g.FallTimer = 0;
    UpdateBoard(g);

    EXPECT_EQ(g.Board[5][3], 0);
    EXPECT_EQ(g.Board[6][3], 0);
    EXPECT_EQ(g.Board[5][4], CellPieceA);
    EXPECT_EQ(g.Board[6][4], CellPieceB);
    EXPECT_EQ(g.Board[5][5], CellPieceB);
    EXPECT_EQ(g.Board[6][5], CellPieceA);
    EXPECT_EQ(g.PieceRow, 4);
    EXPECT_EQ(g.PieceDescends, 1);
    EXPECT_EQ(g.FallTimer, 60);

    auto effects = Effects();
    ASSERT_EQ(effects.size(), 2u);
    EXPECT_EQ(effects[0]->X, 325.0f);
    EXPECT_EQ(effects[0]->Y, 215.0f);
    EXPECT_EQ(effects[0]->Image, g.AnimalAImage);
    EXPECT_EQ(effects[1]->X, 355.0f);
    EXPECT_EQ(effects[1]->Image, g.AnimalBImage);
    for (const EffectRef& e : effects) {
        EXPECT_EQ(e->Life, 5);
        EXPECT_EQ(e->Blend, 4);
        EXPECT_FLOAT_EQ(e->Alpha, 0.5f);
        EXPECT_FLOAT_EQ(e->AlphaSpeed, -0.1f);
        EXPECT_FLOAT_EQ(e->Scale, 1.0f);
        EXPECT_EQ(e->ScaleSpeed, 0.0f);
    }
}

TEST_F(BoardUpdateTest, WithoutDropInputThePieceStepsEverySixtyOneFrames) {
    PlacePiece(5, 3, CellPieceA, CellPieceA, CellPieceA, CellPieceA);
    g.FallTimer = 60;
    std::vector<int> stepFrames;
    for (int frame = 1; frame <= 130; ++frame) {
        int row = g.PieceRow;
        UpdateBoard(g);
        if (g.PieceRow != row) stepFrames.push_back(frame);
    }
    EXPECT_EQ(stepFrames, (std::vector<int>{61, 122}));
}

TEST_F(BoardUpdateTest, PieceOverUnevenGroundSplitsAndItsLooseHalfFallsOneRowPerFrame) {
    SetBottomRows({".....1.........."});
    PlacePiece(5, 9, CellPieceA, CellPieceB, CellPieceA, CellPieceB);
    g.FallTimer = 0;

    UpdateBoard(g);
    EXPECT_EQ(g.PieceLanded, 1);
    EXPECT_EQ(Rows(9), (std::vector<std::string>{
                           ".....18.........",
                           ".....18.........",
                           ".....1..........",
                       }));
    // The next piece entered in the landing frame.
    EXPECT_EQ(Rows(0)[0], ".....99.........");
    EXPECT_EQ(g.FallTimer, 179);

    UpdateBoard(g);
    EXPECT_EQ(Rows(9), (std::vector<std::string>{
                           ".....1..........",
                           ".....18.........",
                           ".....18.........",
                       }));
    auto effects = Effects();
    ASSERT_EQ(effects.size(), 2u);
    EXPECT_EQ(effects[0]->Y, 425.0f);  // row 10 is scanned before row 9
    EXPECT_EQ(effects[1]->Y, 395.0f);
    for (const EffectRef& e : effects) {
        EXPECT_EQ(e->X, 355.0f);
        EXPECT_EQ(e->Image, g.AnimalBImage);
        EXPECT_EQ(e->Life, 10);
        EXPECT_FLOAT_EQ(e->AlphaSpeed, -0.05f);
    }

    UpdateBoard(g);
    EXPECT_EQ(Rows(10), (std::vector<std::string>{".....12.........", ".....12........."}));
}

TEST_F(BoardUpdateTest, PieceOnRowElevenRestsWholeAtTheNextDueStepOnly) {
    PlacePiece(3, 10, CellPieceA, CellPieceA, CellPieceB, CellPieceB);
    g.FallTimer = 2;
    UpdateBoard(g);
    UpdateBoard(g);
    EXPECT_EQ(Rows(10), (std::vector<std::string>{"...99...........", "...XX..........."}));
    UpdateBoard(g);
    EXPECT_EQ(Rows(10), (std::vector<std::string>{"...11...........", "...22..........."}));
    EXPECT_EQ(g.PieceLanded, 1);
    EXPECT_EQ(g.QueueSlide, 30);
    EXPECT_EQ(g.PieceRow, 0);
}

TEST_F(BoardUpdateTest, PieceBlockedWithBottomRowTwoEndsTheGame) {
    g.Board[5][3] = CellSettledB;
    PlacePiece(5, 1, CellPieceA, CellPieceA, CellPieceA, CellPieceA);
    g.FallTimer = 0;
    g.FrameCounter = 77;
    UpdateBoard(g);

    EXPECT_EQ(g.Screen, 3);
    EXPECT_EQ(g.FrameCounter, 0);
    EXPECT_EQ(g.PieceLanded, 0);
    EXPECT_EQ(g.PieceQueue[0], "1111");  // nothing spawned
    // The bottom-left cell keeps its piece code; the others land as usual.
    EXPECT_EQ(Rows(0)[1], ".....17.........");
    EXPECT_EQ(Rows(0)[2], ".....97.........");
}

TEST_F(BoardUpdateTest, PieceBlockedWithBottomRowThreeRestsAndTheGameGoesOn) {
    g.Board[5][4] = CellSettledB;
    PlacePiece(5, 2, CellPieceA, CellPieceA, CellPieceA, CellPieceA);
    g.FallTimer = 0;
    UpdateBoard(g);

    EXPECT_EQ(g.Screen, 2);
    EXPECT_EQ(g.PieceLanded, 1);
    EXPECT_EQ(g.PieceQueue[0], "2222");
    EXPECT_EQ(Rows(0)[2], ".....17.........");
    EXPECT_EQ(Rows(0)[3], ".....17.........");
}

TEST_F(BoardUpdateTest, LooseCellsRestOnRowElevenOrFallOneRowTogether) {
    g.Board[2][11] = CellLooseA;
    g.Board[4][5] = CellLooseB;
    g.Board[8][9] = CellLooseA;
    g.Board[8][10] = CellLooseB;
    UpdateBoard(g);
    EXPECT_EQ(g.Board[2][11], CellSettledA);
    EXPECT_EQ(g.Board[4][5], 0);
    EXPECT_EQ(g.Board[4][6], CellLooseB);
    EXPECT_EQ(g.Board[8][9], 0);
    EXPECT_EQ(g.Board[8][10], CellLooseA);
    EXPECT_EQ(g.Board[8][11], CellLooseB);
    EXPECT_EQ(g.EffectList.Count(), 3u);
}

TEST_F(BoardUpdateTest, LooseCellRestsOnThePieceAndStaysWhenThePieceMovesOn) {
    PlacePiece(5, 2, CellPieceA, CellPieceA, CellPieceA, CellPieceA);
    g.Board[5][1] = CellLooseB;
    g.FallTimer = 100;
    g.PieceMove = +1;
    UpdateBoard(g);
    EXPECT_EQ(g.PieceColumn, 6);
    EXPECT_EQ(g.Board[5][1], CellSettledB);
    EXPECT_EQ(g.Board[5][2], 0);
    UpdateBoard(g);
    UpdateBoard(g);
    EXPECT_EQ(g.Board[5][1], CellSettledB);
}

TEST_F(BoardUpdateTest, SidewaysMoveCarriesTheWholePieceOneColumn) {
    PlacePiece(5, 5, CellPieceA, CellPieceB, CellPieceB, CellPieceA);
    g.FallTimer = 100;
    g.PieceMove = -1;
    UpdateBoard(g);
    EXPECT_EQ(g.PieceColumn, 4);
    EXPECT_EQ(g.PieceMove, 0);
    EXPECT_EQ(Rows(5)[0], "....9X..........");
    EXPECT_EQ(Rows(5)[1], "....X9..........");

    g.PieceMove = +1;
    UpdateBoard(g);
    g.PieceMove = +1;
    UpdateBoard(g);
    EXPECT_EQ(g.PieceColumn, 6);
    EXPECT_EQ(Rows(5)[0], "......9X........");
    EXPECT_EQ(Rows(5)[1], "......X9........");
}

TEST_F(BoardUpdateTest, MoveIsRefusedByTheBottomLeftNeighbour) {
    PlacePiece(5, 5, CellPieceA, CellPieceB, CellPieceA, CellPieceB);
    g.Board[4][6] = CellSettledB;
    g.Board[7][6] = CellMarkedA;
    g.FallTimer = 100;
    const auto before = Rows();
    g.PieceMove = -1;
    UpdateBoard(g);
    EXPECT_EQ(g.PieceColumn, 5);
    EXPECT_EQ(g.PieceMove, 0);
    EXPECT_EQ(Rows(), before);
    g.PieceMove = +1;
    UpdateBoard(g);
    EXPECT_EQ(g.PieceColumn, 5);
    EXPECT_EQ(Rows(), before);
}

// The side check looks only at the bottom half's row; a cell beside the
// top half must not be overwritten either.
TEST_F(BoardUpdateTest, MoveIntoACellBesideTheTopHalfIsRefusedWithNoCellLost) {
    PlacePiece(5, 5, CellPieceA, CellPieceB, CellPieceA, CellPieceB);
    g.Board[4][5] = CellSettledB;
    g.Board[7][5] = CellTriggeredA;
    g.FallTimer = 100;
    const auto before = Rows();
    for (int move : {-1, +1}) {
        g.PieceMove = move;
        UpdateBoard(g);
        EXPECT_EQ(g.PieceColumn, 5) << move;
        EXPECT_EQ(Rows(), before) << move;
        EXPECT_EQ(PieceCells(g), 4);
    }
}

// The bottom half steps down first and then lies beside a cell the side
// check never saw.
TEST_F(BoardUpdateTest, MoveIntoACellBesideTheBottomHalfAfterDescentIsRefusedWithNoCellLost) {
    for (int move : {-1, +1}) {
        SetUp();
        PlacePiece(5, 5, CellPieceA, CellPieceB, CellPieceA, CellPieceB);
        const int side = move < 0 ? 4 : 7;
        g.Board[side][7] = CellMarkedB;
        g.Board[side][8] = CellMarkedB;
        g.FallTimer = 0;
        g.PieceMove = move;
        UpdateBoard(g);
        EXPECT_EQ(g.PieceRow, 6) << move;
        EXPECT_EQ(g.PieceColumn, 5) << move;
        EXPECT_EQ(g.Board[side][7], CellMarkedB) << move;
        EXPECT_EQ(g.Board[5][6], CellPieceA) << move;
        EXPECT_EQ(g.Board[6][7], CellPieceB) << move;
        EXPECT_EQ(PieceCells(g), 4) << move;
    }
}

TEST_F(BoardUpdateTest, MoveInTheLandingFrameShiftsOnlyTheColumnOfTheNextPiece) {
    SetBottomRows({".....11........."});
    PlacePiece(5, 9, CellPieceA, CellPieceB, CellPieceB, CellPieceA);
    g.FallTimer = 0;
    g.PieceMove = +1;
    UpdateBoard(g);
    EXPECT_EQ(g.PieceColumn, 6);
    EXPECT_EQ(Rows(9), (std::vector<std::string>{
                           ".....12.........",
                           ".....21.........",
                           ".....11.........",
                       }));
    EXPECT_EQ(Rows(0)[0], "......99........");
    EXPECT_EQ(Rows(0)[1], "......99........");
}

TEST_F(BoardUpdateTest, DropStepOnASupportedPieceBringsItToRestAtOnce) {
    SetBottomRows({"...12..........."});
    PlacePiece(3, 9, CellPieceB, CellPieceA, CellPieceA, CellPieceB);
    g.FallTimer = 30;
    g.DropStep = 1;
    UpdateBoard(g);
    EXPECT_EQ(g.PieceLanded, 1);
    EXPECT_EQ(g.DropStep, 0);
    EXPECT_EQ(g.FallTimer, 179);
    EXPECT_EQ(Rows(9)[0], "...21...........");
}

TEST_F(BoardUpdateTest, PieceCellsAreRewrittenFromThePieceCodesEveryFrame) {
    PlacePiece(5, 5, CellPieceA, CellPieceA, CellPieceA, CellPieceA);
    g.PieceTopRight = CellPieceB;
    g.PieceBottomLeft = CellPieceB;
    g.FallTimer = 100;
    UpdateBoard(g);
    EXPECT_EQ(Rows(5)[0], ".....9X.........");
    EXPECT_EQ(Rows(5)[1], ".....X9.........");
}

TEST_F(BoardUpdateTest, LandingThatCompletesSquaresMarksThemAndScoresEach) {
    SetBottomRows({".....11........."});
    PlacePiece(5, 9, CellPieceA, CellPieceA, CellPieceA, CellPieceA);
    g.FallTimer = 0;
    UpdateBoard(g);
    EXPECT_EQ(g.Score, 26);
    EXPECT_EQ(Rows(9), (std::vector<std::string>{
                           ".....33.........",
                           ".....33.........",
                           ".....33.........",
                       }));
    EXPECT_EQ(g.SquareARequest, 1);
    EXPECT_EQ(g.SquareBRequest, 0);
    auto effects = Effects();
    ASSERT_EQ(effects.size(), 4u);
    EXPECT_EQ(effects[0]->Image, g.AnimalAShockImage);
    EXPECT_EQ(effects[0]->X, 340.0f);
    EXPECT_EQ(effects[0]->Y, 410.0f);
    EXPECT_FLOAT_EQ(effects[0]->Scale, 1.6f);
    EXPECT_FLOAT_EQ(effects[0]->ScaleSpeed, 0.2f);
    EXPECT_EQ(effects[0]->Blend, 3);
    EXPECT_EQ(effects[0]->Life, 20);
    EXPECT_EQ(effects[1]->Image, g.SquareBurstImage);
    EXPECT_EQ(effects[1]->Y, 410.0f);
    EXPECT_FLOAT_EQ(effects[1]->Scale, 2.0f);
    EXPECT_FLOAT_EQ(effects[1]->Alpha, 0.4f);
    EXPECT_EQ(effects[1]->Blend, 4);
    EXPECT_EQ(effects[1]->Life, 40);
    EXPECT_EQ(effects[2]->Y, 440.0f);

    // Already marked squares earn nothing more.
    UpdateBoard(g);
    EXPECT_EQ(g.Score, 26);
}

}  // namespace
}  // namespace tuublark::test
