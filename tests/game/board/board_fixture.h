// Board situations for the board rule tests: a game in progress on a
// fresh state record, without display or assets.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "engine/audio/sound.h"
#include "engine/image/image.h"
#include "engine/input/random.h"
#include "game/board/board.h"
#include "game/frame_loop.h"
#include "game/game_state.h"
#include "game/startup.h"

namespace tuublark::test {

// A channel that remembers being stopped.
class TRecordingChannel : public TChannel {
public:
    void Stop() override { Stopped += 1; }
    int Stopped = 0;
};

class BoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGameState(g);
        // What a new game of skin 1 leaves, without loading anything.
        g.Screen = 2;
        g.Level = 1;
        g.SkinIndex = 1;
        g.SpawnDelay = 180;
        g.FallInterval = 60;
        g.FallTimer = 180;
        g.CellsPerLevel = 10;
        g.MusicChannelA = std::make_shared<TRecordingChannel>();
        g.MusicChannelB = std::make_shared<TRecordingChannel>();
        g.EffectChannel1 = AllocChannel();
        g.EffectChannel2 = AllocChannel();
        g.EffectChannel3 = AllocChannel();
        g.EffectChannel4 = AllocChannel();
        g.SoundChannels = {g.EffectChannel1, g.EffectChannel2, g.EffectChannel3, g.EffectChannel4};
        // Distinct pictures, so tests can tell which one an effect shows.
        for (ImageRef* image : {&g.AnimalAImage, &g.AnimalBImage, &g.AnimalAShockImage, &g.AnimalBShockImage,
                                &g.SquareBurstImage, &g.YellowImage, &g.ExplodeImage})
            *image = std::make_shared<TImage>();
        g.PieceQueue = {"1111", "2222", "1212"};
        SeedRandom(1234);
    }

    // Rows given top to bottom end at row 11; '.' is empty, '1'..'9' the
    // codes 1..9 and 'X' code 10.
    void SetBottomRows(std::initializer_list<const char*> rows) {
        int r = kBoardRows - static_cast<int>(rows.size());
        for (const char* row : rows) {
            std::string text(row);
            EXPECT_EQ(text.size(), 16u) << "row " << r;
            for (int c = 0; c < kBoardColumns && c < static_cast<int>(text.size()); ++c)
                g.Board[c][r] = CodeOf(text[c]);
            r += 1;
        }
    }

    // The board's rows first to last (from row `from`) in the same letters.
    std::vector<std::string> Rows(int from = 0) const {
        std::vector<std::string> rows;
        for (int r = from; r < kBoardRows; ++r) {
            std::string text;
            for (int c = 0; c < kBoardColumns; ++c) text += LetterOf(g.Board[c][r]);
            rows.push_back(text);
        }
        return rows;
    }

    // The piece with its top-left cell at (column, row), written into the
    // board as the board update would.
    void PlacePiece(int column, int row, int topLeft, int topRight, int bottomLeft, int bottomRight) {
        g.PieceColumn = column;
        g.PieceRow = row;
        g.PieceTopLeft = topLeft;
        g.PieceTopRight = topRight;
        g.PieceBottomLeft = bottomLeft;
        g.PieceBottomRight = bottomRight;
        g.Board[column][row] = topLeft;
        g.Board[column + 1][row] = topRight;
        g.Board[column][row + 1] = bottomLeft;
        g.Board[column + 1][row + 1] = bottomRight;
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

    std::vector<EffectRef> Effects() {
        std::vector<EffectRef> effects;
        g.EffectList.Walk([&](const EffectRef& e) { effects.push_back(e); });
        return effects;
    }

    std::vector<PopupRef> Popups() {
        std::vector<PopupRef> popups;
        g.PopupList.Walk([&](const PopupRef& p) { popups.push_back(p); });
        return popups;
    }

    static int32_t CodeOf(char letter) {
        if (letter == 'X') return 10;
        if (letter >= '1' && letter <= '9') return letter - '0';
        return 0;
    }
    static char LetterOf(int32_t code) {
        if (code == 10) return 'X';
        if (code >= 1 && code <= 9) return static_cast<char>('0' + code);
        return code == 0 ? '.' : '?';
    }

    GameState g;
};

}  // namespace tuublark::test
