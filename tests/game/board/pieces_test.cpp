// Piece making: the first piece, the spawn of every later piece, the queue.
#include "tests/game/board/board_fixture.h"

namespace tuublark::test {
namespace {

using PiecesTest = BoardTest;

TEST_F(PiecesTest, SpawnDecodesQueueHeadAndShiftsQueueWithOneDraw) {
    g.PieceQueue = {"1221", "2222", "1111"};
    g.PieceColumn = 7;
    SeedRandom(99);
    const int32_t drawn = RandomInt(0, 15);
    const int32_t afterOneDraw = GetRandomState();
    SeedRandom(99);

    SpawnNextPiece(g);

    EXPECT_EQ(g.PieceTopLeft, CellPieceA);
    EXPECT_EQ(g.PieceTopRight, CellPieceB);
    EXPECT_EQ(g.PieceBottomLeft, CellPieceB);
    EXPECT_EQ(g.PieceBottomRight, CellPieceA);
    EXPECT_EQ(g.Board[7][0], 9);
    EXPECT_EQ(g.Board[8][0], 10);
    EXPECT_EQ(g.Board[7][1], 10);
    EXPECT_EQ(g.Board[8][1], 9);
    EXPECT_EQ(g.PieceQueue[0], "2222");
    EXPECT_EQ(g.PieceQueue[1], "1111");
    EXPECT_EQ(g.PieceQueue[2], g.PiecePatterns[drawn]);
    EXPECT_EQ(GetRandomState(), afterOneDraw);
    EXPECT_EQ(g.PieceRow, 0);
    EXPECT_EQ(g.FallTimer, g.SpawnDelay);
    EXPECT_EQ(g.QueueSlide, 30);
}

TEST_F(PiecesTest, AllACharactersAndAllBCharactersGiveOneColour) {
    g.PieceQueue = {"1111", "2222", "1111"};
    SpawnNextPiece(g);
    EXPECT_EQ(CountCode(CellPieceA), 4);
    ClearBoard(g);
    SpawnNextPiece(g);
    EXPECT_EQ(CountCode(CellPieceB), 4);
}

TEST_F(PiecesTest, SpawnEntersAtPieceColumnAndOverwritesWhatIsThere) {
    g.PieceColumn = 14;
    g.PieceQueue = {"2222", "1111", "1111"};
    Fill(13, 0, 15, 1, CellSettledA);
    SpawnNextPiece(g);
    EXPECT_EQ(g.Board[13][0], CellSettledA);
    EXPECT_EQ(g.Board[13][1], CellSettledA);
    for (int c = 14; c <= 15; ++c)
        for (int r = 0; r <= 1; ++r) EXPECT_EQ(g.Board[c][r], CellPieceB) << c << "," << r;
}

TEST_F(PiecesTest, FirstPieceDrawsFourColoursThenThreePatternsAndEntersAtColumnsSevenAndEight) {
    g.PieceColumn = 3;  // the first piece ignores it
    SeedRandom(4242);
    int32_t colours[4];
    for (int32_t& colour : colours) colour = RandomInt(9, 10);
    int32_t patterns[3];
    for (int32_t& pattern : patterns) pattern = RandomInt(0, 15);
    SeedRandom(4242);

    SpawnFirstPiece(g);

    EXPECT_EQ(g.PieceTopLeft, colours[0]);
    EXPECT_EQ(g.PieceTopRight, colours[1]);
    EXPECT_EQ(g.PieceBottomLeft, colours[2]);
    EXPECT_EQ(g.PieceBottomRight, colours[3]);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(g.PieceQueue[i], g.PiecePatterns[patterns[i]]) << i;
    EXPECT_EQ(g.Board[7][0], colours[0]);
    EXPECT_EQ(g.Board[8][0], colours[1]);
    EXPECT_EQ(g.Board[7][1], colours[2]);
    EXPECT_EQ(g.Board[8][1], colours[3]);
    EXPECT_EQ(CountCode(CellPieceA) + CountCode(CellPieceB), 4);
}

TEST_F(PiecesTest, ClearBoardEmptiesEveryCell) {
    Fill(0, 0, 15, 11, CellTriggeredB);
    ClearBoard(g);
    EXPECT_EQ(CountCode(CellEmpty), 192);
}

}  // namespace
}  // namespace tuublark::test
