#include "game/trace.h"

#include <cstdio>

#include "engine/input/random.h"
#include "game/game_state.h"

namespace tuublark {
namespace {

class JsonWriter {
public:
    void Int(const char* key, int64_t value) { Key(key) += std::to_string(value); }

    // Nine significant digits read back to the same 32-bit float.
    void Float(const char* key, float value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
        Key(key) += buffer;
    }

    template <class Strings>
    void StringArray(const char* key, const Strings& values) {
        std::string& out = Key(key);
        out += '[';
        bool first = true;
        for (const std::string& value : values) {
            if (!first) out += ',';
            first = false;
            AppendString(out, value);
        }
        out += ']';
    }

    std::string& Key(const char* key) {
        text_ += text_.empty() ? "{" : ",";
        AppendString(text_, key);
        text_ += ':';
        return text_;
    }

    std::string Finish() { return text_ + "}"; }

    static void AppendString(std::string& out, const std::string& value) {
        out += '"';
        for (unsigned char c : value) {
            if (c == '"' || c == '\\') {
                out += '\\';
                out += static_cast<char>(c);
            } else if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
        out += '"';
    }

private:
    std::string text_;
};

}  // namespace

std::string TraceLine(const GameState& g, int32_t frame) {
    JsonWriter j;
    j.Int("Frame", frame);
    j.Int("Screen", g.Screen);
    j.Int("FrameCounter", g.FrameCounter);
    j.Int("QuitRequested", g.QuitRequested);
    j.Float("SweepPosition", g.SweepPosition);
    j.Float("SweepSpeed", g.SweepSpeed);
    j.Int("SweepColumn", g.SweepColumn);
    j.Int("SweepPassCount", g.SweepPassCount);
    j.Int("PassCells", g.PassCells);
    j.Int("Score", g.Score);
    j.Int("HighScore", g.HighScore);
    j.Int("DeletedCount", g.DeletedCount);
    j.Int("Level", g.Level);
    j.Int("LevelUpPending", g.LevelUpPending);
    j.Int("CellsPerLevel", g.CellsPerLevel);
    j.Int("PlayHours", g.PlayHours);
    j.Int("PlayMinutes", g.PlayMinutes);
    j.Int("PlaySeconds", g.PlaySeconds);
    j.Int("SkinIndex", g.SkinIndex);
    j.Int("SkinChangeFrame", g.SkinChangeFrame);
    j.Int("SkinChangeLength", g.SkinChangeLength);
    j.Int("PieceTopLeft", g.PieceTopLeft);
    j.Int("PieceTopRight", g.PieceTopRight);
    j.Int("PieceBottomLeft", g.PieceBottomLeft);
    j.Int("PieceBottomRight", g.PieceBottomRight);
    j.Int("PieceColumn", g.PieceColumn);
    j.Int("PieceRow", g.PieceRow);
    j.Int("FallTimer", g.FallTimer);
    j.Int("SpawnDelay", g.SpawnDelay);
    j.Int("FallInterval", g.FallInterval);
    j.StringArray("PieceQueue", g.PieceQueue);
    j.Int("QueueSlide", g.QueueSlide);
    j.Int("NextSoundChannel", g.NextSoundChannel);
    j.Int("GroupCells", g.GroupCells);
    j.Int("SweepGroupOpen", g.SweepGroupOpen);
    j.Int("ClearBoxLeft", g.ClearBoxLeft);
    j.Int("ClearBoxRight", g.ClearBoxRight);
    j.Int("ClearBoxTop", g.ClearBoxTop);
    j.Int("ClearBoxBottom", g.ClearBoxBottom);
    j.Int("MoveRepeatCounter", g.MoveRepeatCounter);
    j.Int("EffectCount", static_cast<int64_t>(g.EffectList.Count()));
    j.Int("PopupCount", static_cast<int64_t>(g.PopupList.Count()));
    j.Int("RandomState", GetRandomState());
    j.StringArray("Sounds", g.FrameSounds);
    std::string& board = j.Key("Board");
    board += '[';
    for (int r = 0; r < kBoardRows; ++r) {
        if (r) board += ',';
        board += '[';
        for (int c = 0; c < kBoardColumns; ++c) {
            if (c) board += ',';
            board += std::to_string(g.Board[c][r]);
        }
        board += ']';
    }
    board += ']';
    return j.Finish();
}

}  // namespace tuublark
