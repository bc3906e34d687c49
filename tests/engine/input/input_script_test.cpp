#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "engine/input/input_script.h"

namespace tuublark {
namespace {

TEST(InputScript, ParsesSeedEventsCommentsAndBlankLines) {
    TInputScript script;
    std::string error;
    // A byte-order mark an editor put first is read past.
    ASSERT_TRUE(script.Parse("\xEF\xBB\xBFseed 7\n1 down space\n2 up space\n", "in", error)) << error;
    EXPECT_EQ(script.Seed(), 7);
    ASSERT_TRUE(
        script.Parse("# a game\n\nseed 7\nhighscore 0\n1 down space\n  # note\n2 up space\n40 down 65\n", "in", error))
        << error;
    ASSERT_TRUE(script.Seed().has_value());
    EXPECT_EQ(*script.Seed(), 7);
    EXPECT_EQ(*script.HighScore(), 0);  // a first game's record
    ASSERT_EQ(script.Events().size(), 3u);
    EXPECT_EQ(script.Events()[0].Frame, 1);
    EXPECT_TRUE(script.Events()[0].Down);
    EXPECT_EQ(script.Events()[0].Key, 32);
    EXPECT_FALSE(script.Events()[1].Down);
    EXPECT_EQ(script.Events()[2].Key, 65);
    // Words part at any run of white space, as a hand-edited file has it.
    ASSERT_TRUE(script.Parse("seed\t9\n \t3  down\vleft\f\n", "in", error)) << error;
    EXPECT_EQ(*script.Seed(), 9);
    ASSERT_EQ(script.Events().size(), 1u);
    EXPECT_EQ(script.Events()[0].Frame, 3);
    EXPECT_EQ(script.Events()[0].Key, VkLeft);
}

struct BadScript {
    const char* Text;
    const char* Expected;  // "<name>:<line>: ..." start
};

TEST(InputScript, MalformedLinesNameFileAndLine) {
    const BadScript cases[] = {
        {"1 down left\n5 sideways left\n", "replay.txt:2: expected 'down' or 'up'"},
        {"1 down banana\n", "replay.txt:1: unknown key 'banana'"},
        {"1 down 256\n", "replay.txt:1: unknown key '256'"},
        {"1 down 0\n", "replay.txt:1: unknown key '0'"},
        {"0 down left\n", "replay.txt:1: frame '0'"},
        {"-3 down left\n", "replay.txt:1: frame '-3'"},
        {"x down left\n", "replay.txt:1: frame 'x'"},
        {"9 down left\n8 up left\n", "replay.txt:2: frame 8 comes after frame 9"},
        {"1 down left\nseed 3\n", "replay.txt:2: 'seed' must be the first item"},
        {"seed x\n", "replay.txt:1: expected 'seed N'"},
        {"seed 1\n1 down left\nhighscore 5\n", "replay.txt:3: 'highscore' must come before"},
        {"highscore 5\nhighscore 6\n", "replay.txt:2: 'highscore' must come before"},
        {"highscore -5\n", "replay.txt:1: expected 'highscore N'"},
        {"seed 99999999999\n", "replay.txt:1: expected 'seed N'"},
        {"1 down\n", "replay.txt:1: expected 'FRAME down KEY'"},
        {"1 down left extra\n", "replay.txt:1: expected 'FRAME down KEY'"},
        {"1\tdown\tleft\textra\n", "replay.txt:1: expected 'FRAME down KEY'"},
        {"1 down left\n150 down s", "replay.txt:2: the last line has no newline"},
        {"1 down left\n2 up left\n3 do", "replay.txt:3: the last line has no newline"},
    };
    for (const BadScript& c : cases) {
        TInputScript script;
        std::string error;
        EXPECT_FALSE(script.Parse(c.Text, "replay.txt", error)) << c.Text;
        EXPECT_EQ(error.rfind(c.Expected, 0), 0u) << "got: " << error;
    }
}

TEST(InputScript, EventsApplyAtTheirFrameInFileOrder) {
    TInputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("2 down left\n2 up left\n2 down left\n5 up left\n", "in", error));
    KeyboardState k;
    script.ApplyFrame(1, k);
    EXPECT_EQ(k.IsDown(VkLeft), 0);
    script.ApplyFrame(2, k);
    EXPECT_EQ(k.IsDown(VkLeft), 1);
    EXPECT_EQ(k.TakeHits(VkLeft), 2);  // down, up, down within the frame
    script.ApplyFrame(4, k);
    EXPECT_EQ(k.IsDown(VkLeft), 1);
    script.ApplyFrame(5, k);
    EXPECT_EQ(k.IsDown(VkLeft), 0);
}

TEST(InputScript, RecorderOutputReplaysToTheSameEvents) {
    std::string path = ::testing::TempDir() + "record_test_" + std::to_string(getpid()) + ".txt";
    {
        TInputRecorder recorder;
        std::string error;
        ASSERT_TRUE(recorder.Open(path, -42, 12345, error)) << error;
        recorder.Record(1, true, VkSpace);
        recorder.Record(4, false, VkSpace);
        recorder.Record(4, true, 160);
    }
    TInputScript script;
    std::string error;
    ASSERT_TRUE(script.Load(path, error)) << error;
    EXPECT_EQ(*script.Seed(), -42);
    EXPECT_EQ(*script.HighScore(), 12345);
    KeyboardState k;
    script.ApplyFrame(4, k);
    EXPECT_EQ(k.TakeHits(VkSpace), 1);  // pressed and let go by frame 4
    EXPECT_EQ(k.IsDown(160), 1);
    std::remove(path.c_str());
}

}  // namespace
}  // namespace tuublark
