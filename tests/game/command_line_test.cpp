#include <gtest/gtest.h>

#include "game/command_line.h"

namespace tuublark {
namespace {

TEST(CommandLine, EveryOptionIsRead) {
    CommandLine o;
    std::string error;
    ASSERT_TRUE(ParseCommandLine({}, o, error));
    EXPECT_FALSE(o.Windowed);  // full screen unless asked
    ASSERT_TRUE(ParseCommandLine({"--windowed", "--seed", "-17", "--input", "in.txt", "--frames", "600", "--trace",
                                  "t.jsonl", "--screenshot", "s.png", "--renderer", "gles2"},
                                 o, error))
        << error;
    EXPECT_TRUE(o.Windowed);
    EXPECT_EQ(*o.Seed, -17);
    EXPECT_EQ(o.InputPath, "in.txt");
    EXPECT_EQ(*o.Frames, 600);
    EXPECT_EQ(o.TracePath, "t.jsonl");
    EXPECT_EQ(o.ScreenshotPath, "s.png");
    EXPECT_EQ(o.Renderer, "gles2");
    EXPECT_FALSE(o.KeepHighScore);
    ASSERT_TRUE(ParseCommandLine({"--headless", "--frames", "1", "--record", "r.txt", "--keep-high-score"}, o, error))
        << error;
    EXPECT_TRUE(o.Headless);
    EXPECT_TRUE(o.KeepHighScore);
    EXPECT_EQ(o.RecordPath, "r.txt");
}

TEST(CommandLine, BadCommandLinesSayWhatIsWrong) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--seed"}, "--seed needs a value"},
        {{"--seed", "12x"}, "--seed needs a 32-bit integer"},
        {{"--seed", "4294967296"}, "--seed needs a 32-bit integer"},
        {{"--frames", "0"}, "--frames needs a whole number"},
        {{"--frames", "-5"}, "--frames needs a whole number"},
        {{"--headless"}, "--headless needs --frames N"},
        {{"--headless", "--frames", "5", "--screenshot", "s.png"}, "--screenshot cannot be used with --headless"},
        {{"--input", "a", "--record", "b"}, "--input and --record cannot be used together"},
        {{"--autoplay", "--input", "a"}, "--input and --autoplay cannot be used together"},
        {{"--trace", ""}, "--trace needs a non-empty value"},
        {{"--seed", "+5"}, "--seed needs a 32-bit integer"},
        {{"--frames", " 5"}, "--frames needs a whole number"},
        {{"--trace", "a", "--trace", "b"}, "option '--trace' is given twice"},
        {{"--windowed", "--windowed"}, "option '--windowed' is given twice"},
        {{"--renderer", "vulkan"}, "--renderer needs gl or gles2, not 'vulkan'"},
    };
    for (const auto& [args, expected] : cases) {
        CommandLine o;
        std::string error;
        EXPECT_FALSE(ParseCommandLine(args, o, error)) << expected;
        EXPECT_EQ(error.rfind(expected, 0), 0u) << "got: " << error;
    }
}

// Help and version need nothing else, not even --headless's --frames.
TEST(CommandLine, HelpAndVersionNeedNothingElse) {
    CommandLine o;
    std::string error;
    ASSERT_TRUE(ParseCommandLine({"--headless", "--help"}, o, error));
    EXPECT_TRUE(o.Help);
    ASSERT_TRUE(ParseCommandLine({"--version"}, o, error));
    EXPECT_TRUE(o.Version);
    EXPECT_NE(UsageText().find("--screenshot FILE"), std::string::npos);
}

}  // namespace
}  // namespace tuublark
