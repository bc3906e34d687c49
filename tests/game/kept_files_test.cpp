// The files kept for the player: the high score and the settings, their
// damage cases, and writes that leave either the old or the new file.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <iterator>

#include "engine/input/input_script.h"
#include "engine/input/system_driver.h"
#include "engine/runtime/user_files.h"
#include "game/command_line.h"
#include "game/high_score_file.h"
#include "game/run.h"
#include "game/settings.h"
#include "tests/support/game_process.h"

namespace tuublark {
namespace {

std::string Folder(const std::string& name) {
    std::string folder = ::testing::TempDir() + "kept_" + std::to_string(getpid()) + "_" + name;
    std::system(("rm -rf '" + folder + "'").c_str());
    mkdir(folder.c_str(), 0755);
    return folder;
}

using test::ReadFile;
using test::WriteFile;

TEST(HighScoreFile, ReadsOnlyAWholeNumberAndANewline) {
    const std::string folder = Folder("read");
    struct Case {
        const char* Content;  // nullptr: no file
        int32_t Value;
        bool Warns;
    } cases[] = {
        {nullptr, 10000, false},   {"25000\n", 25000, false},   {"9000\n", 10000, false},
        {"25000", 10000, true},    {"", 10000, true},           {"abc\n", 10000, true},
        {"-25000\n", 10000, true}, {"25000\nx\n", 10000, true}, {"99999999999\n", 10000, true},
        {" 25000\n", 10000, true},
    };
    for (const Case& c : cases) {
        std::string path = folder + "/highscore";
        std::remove(path.c_str());
        if (c.Content) WriteFile(path, c.Content);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(LoadHighScore(path), c.Value) << (c.Content ? c.Content : "(none)");
        std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), c.Warns ? 1 : 0) << err;
    }
    // A folder where the file should be cannot be read: a warning.
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(LoadHighScore(folder), 10000);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find(folder), std::string::npos);
}

TEST(HighScoreFile, WritesMakeTheFolderAndNeverLeaveAPartialFile) {
    const std::string folder = Folder("write");
    // First run: the folders do not exist yet.
    std::string path = folder + "/data/tuublark/highscore";
    ASSERT_TRUE(SaveHighScore(path, 31337));
    EXPECT_EQ(ReadFile(path), "31337\n");
    EXPECT_EQ(LoadHighScore(path), 31337);

    // A folder that cannot be made (a file is in the way): one warning line,
    // nothing else changes.
    WriteFile(folder + "/blocked", "x");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(SaveHighScore(folder + "/blocked/tuublark/highscore", 40000));
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;

    // A writer killed in the middle of writing (here by a file size limit)
    // leaves the old file whole and no other file behind.
    std::string big(1 << 20, '7');
    pid_t child = fork();
    if (child == 0) {
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::string error;
        WriteFileAtomically(path, big, error);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer was to be killed by SIGXFSZ";
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(ReadFile(path), "31337\n");
    namespace fs = std::filesystem;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder + "/data/tuublark"), fs::directory_iterator()), 1);
}

// A keyboard that plays the golden session's keys: a run without --input,
// so a player's run. Its first game ends at frame 1875 with 29593 points.
class TGoldenPlayer : public THeadlessSystemDriver {
public:
    TInputScript Keys;
    void BeginFrame(int32_t frame) override { Keys.ApplyFrame(frame, Keyboard()); }
};

TEST(HighScoreFile, APlayedGameEndingWithANewHighScoreKeepsIt) {
    const std::string folder = Folder("played");
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    std::filesystem::create_directory(folder + "/tuublark");
    WriteFile(folder + "/tuublark/highscore", "12000\n");
    CommandLine options;
    std::string error;
    ASSERT_TRUE(ParseCommandLine({"--seed", "20260", "--frames", "1880"}, options, error));
    int status = RunGame(options, "", [](const CommandLine&, const TSettings&, std::string& err) {
        auto player = std::make_unique<TGoldenPlayer>();
        if (!player->Keys.Load(TUUBLARK_SOURCE_DIR "/tests/replays/golden-input.txt", err)) return false;
        SetSystemDriver(std::move(player));
        return true;
    });
    ASSERT_EQ(status, 0);
    EXPECT_EQ(ReadFile(folder + "/tuublark/highscore"), "29593\n");
    // A replay keeps it only when asked to (the page's tests do).
    for (bool keep : {false, true}) {
        WriteFile(folder + "/tuublark/highscore", "12000\n");
        std::vector<std::string> args = {"--headless", "--frames", "1880", "--input",
                                         TUUBLARK_SOURCE_DIR "/tests/replays/golden-input.txt"};
        if (keep) args.push_back("--keep-high-score");
        ASSERT_TRUE(ParseCommandLine(args, options, error));
        ASSERT_EQ(RunGame(options, "", nullptr), 0);
        EXPECT_EQ(ReadFile(folder + "/tuublark/highscore"), keep ? "29593\n" : "12000\n");
    }
}

TEST(Settings, TheRendererLineNamesOneOfTheTwoDrivers) {
    TSettingsFile file;
    std::vector<std::string> problems;
    EXPECT_EQ(file.Values.Renderer, "gl");
    file.Parse("renderer = gles2\n", "s.ini", problems);
    EXPECT_EQ(file.Values.Renderer, "gles2");
    EXPECT_NE(file.Render().find("renderer = gles2\n"), std::string::npos);
    file.Parse("renderer = gles3\n", "s.ini", problems);
    EXPECT_EQ(file.Values.Renderer, "gl");
    EXPECT_EQ(problems, std::vector<std::string>{"s.ini:1: expected gl or gles2"});
}

TEST(Settings, ParsesGoodLinesReportsBadOnesAndKeepsUnknownOnes) {
    const std::string text =
        "# mine\n"
        "[display]\n"
        "fullscreen = off\n"
        "window_size = 1024x768\n"
        "music_volume = 40\n"
        "effects_volume = loud\n"
        "colour_scheme = green\n"
        "key_rotate_left = q\n"
        "key_left = Q\n"
        "key_start = Enter\n"
        "key_down = nosuchkey\n"
        "audio_latency_ms = 2\n"
        "just words\n"
        "window_size = 10x10\n";
    TSettingsFile file;
    std::vector<std::string> problems;
    file.Parse(text, "s.ini", problems);
    const TSettings& s = file.Values;
    EXPECT_FALSE(s.FullScreen);
    EXPECT_EQ(s.WindowWidth, 1024);
    EXPECT_EQ(s.WindowHeight, 768);
    EXPECT_EQ(s.MusicVolume, 40);
    EXPECT_EQ(s.EffectsVolume, 100);
    EXPECT_EQ(s.Keys.Keys[4], 'Q');
    EXPECT_EQ(s.Keys.Keys[0], VkLeft) << "Q is already rotate_left's";
    EXPECT_EQ(s.Keys.Keys[6], 13);
    EXPECT_EQ(s.Keys.Keys[3], VkDown);
    EXPECT_EQ(s.AudioLatencyMs, 0);
    const std::vector<std::string> expected = {
        "s.ini:6: expected a volume from 0 to 100", "s.ini:9: Q is already the rotate_left key",
        "s.ini:11: 'nosuchkey' names no key",       "s.ini:12: expected 0 (automatic) or 5 to 1000",
        "s.ini:13: expected 'name = value'",        "s.ini:14: expected auto or WIDTHxHEIGHT (200x150 to 16384x16384)",
    };
    EXPECT_EQ(problems, expected);

    // Written back: comments, sections and unknown names stay where they
    // were, known names carry the values, missing ones are added.
    file.Values.MusicVolume = 75;
    file.Values.Keys.Bind(0, 'J');
    std::string written = file.Render();
    for (const char* line :
         {"# mine\n[display]\nfullscreen = off\nwindow_size = 1024x768\nmusic_volume = 75\n", "colour_scheme = green\n",
          "just words\n", "key_left = J\n", "key_right = Right\n", "effects_volume = 100\n"})
        EXPECT_NE(written.find(line), std::string::npos) << line << " in\n" << written;
    EXPECT_EQ(written.find("window_size", written.find("window_size") + 1), std::string::npos) << written;
    TSettingsFile again;
    problems.clear();
    again.Parse(written, "s.ini", problems);
    // Only the line that was never a setting is still reported.
    EXPECT_EQ(problems, std::vector<std::string>{"s.ini:13: expected 'name = value'"});
    EXPECT_EQ(again.Values.Keys, file.Values.Keys);
    EXPECT_EQ(again.Values.MusicVolume, 75);
}

TEST(KeyBindings, EveryGameKeyKeepsOneKey) {
    TKeyBindings keys;
    EXPECT_EQ(keys.Translate(VkLeft), VkLeft);
    EXPECT_EQ(keys.Translate('P'), 'P');
    keys.Bind(0, 'J');  // left on J: the arrow gives nothing now
    EXPECT_EQ(keys.Translate('J'), VkLeft);
    EXPECT_EQ(keys.Translate(VkLeft), 0);
    keys.Bind(1, 'J');  // right takes J; left gets right's old key
    EXPECT_EQ(keys.Translate('J'), VkRight);
    EXPECT_EQ(keys.Translate(VkRight), VkLeft);
    for (int key = 1; key <= 255; ++key) EXPECT_EQ(ParseKeyLabel(KeyLabel(key)), key) << key;
    EXPECT_EQ(ParseKeyLabel("f12"), 123);
    EXPECT_EQ(ParseKeyLabel("F13"), -1);
    EXPECT_EQ(ParseKeyLabel("Code256"), -1);
}

}  // namespace
}  // namespace tuublark
