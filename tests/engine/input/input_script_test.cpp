#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/input/input_script.h"

namespace tuublark {
namespace {

TEST(InputScript, ParsesSeedEventsCommentsAndBlankLines) {
    TInputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("# a game\n\nseed 7\n1 down space\n  # note\n2 up space\n40 down 65\n", "in", error))
        << error;
    ASSERT_TRUE(script.Seed().has_value());
    EXPECT_EQ(*script.Seed(), 7);
    ASSERT_EQ(script.Events().size(), 3u);
    EXPECT_EQ(script.Events()[0].Frame, 1);
    EXPECT_TRUE(script.Events()[0].Down);
    EXPECT_EQ(script.Events()[0].Key, 32);
    EXPECT_FALSE(script.Events()[1].Down);
    EXPECT_EQ(script.Events()[2].Key, 65);
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
    };
    for (const BadScript& c : cases) {
        TInputScript script;
        std::string error;
        EXPECT_FALSE(script.Parse(c.Text, "replay.txt", error)) << c.Text;
        EXPECT_EQ(error.rfind(c.Expected, 0), 0u) << "got: " << error;
    }
}

TEST(InputScript, FileCutShortEndsTheInputWhereItStops) {
    TInputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("1 down left\n2 up left\n3 do", "in", error)) << error;
    EXPECT_EQ(script.Events().size(), 2u);
    // A complete last line without a newline still counts.
    ASSERT_TRUE(script.Parse("1 down left\n2 up left", "in", error));
    EXPECT_EQ(script.Events().size(), 2u);
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

TEST(InputScript, DownOfAHeldKeyCountsNoHit) {
    TInputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("1 down a\n3 down a\n", "in", error));
    KeyboardState k;
    script.ApplyFrame(1, k);
    EXPECT_EQ(k.TakeHits(VkA), 1);
    script.ApplyFrame(3, k);
    EXPECT_EQ(k.TakeHits(VkA), 0);
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
    // The file is read as the frames go.
    KeyboardState k;
    script.ApplyFrame(3, k);
    EXPECT_EQ(k.IsDown(VkSpace), 1);
    EXPECT_EQ(k.IsDown(160), 0);
    script.ApplyFrame(4, k);
    EXPECT_EQ(k.IsDown(VkSpace), 0);
    EXPECT_EQ(k.IsDown(160), 1);
    std::remove(path.c_str());
}

TEST(InputScript, ARecordThatStopsTakingDataIsReportedAsFailed) {
    // A disk that fills up during the game, made with a file size limit in
    // a child process.
    std::string path = ::testing::TempDir() + "record_full_" + std::to_string(getpid()) + ".txt";
    pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{200, 200};
        setrlimit(RLIMIT_FSIZE, &limit);
        TInputRecorder recorder;
        std::string error;
        if (!recorder.Open(path, 7, std::nullopt, error)) _exit(3);
        for (int frame = 1; frame <= 100 && !recorder.Failed(); ++frame) recorder.Record(frame, true, VkLeft);
        _exit(recorder.Failed() && !recorder.IsOpen() ? 0 : 4);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "3: refused at open, 4: the failure went unnoticed";
    std::remove(path.c_str());
}

TEST(InputScript, UnreadableAndUnwritableFilesAreReported) {
    TInputScript script;
    std::string error;
    EXPECT_FALSE(script.Load("/nonexistent/replay.txt", error));
    EXPECT_NE(error.find("/nonexistent/replay.txt"), std::string::npos);
    TInputRecorder recorder;
    EXPECT_FALSE(recorder.Open("/nonexistent/record.txt", 1, std::nullopt, error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace tuublark
