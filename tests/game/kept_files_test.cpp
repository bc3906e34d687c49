// The files kept for the player: the high score and the settings, their
// damage cases, and writes that leave either the old or the new file.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <iterator>

#include "engine/input/input_script.h"
#include "engine/input/keyboard.h"
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
        {nullptr, 10000, false},
        {"25000\n", 25000, false},
        {"9000\n", 10000, false},
        {"25000", 10000, true},
        {"", 10000, true},
        {"abc\n", 10000, true},
        {"-25000\n", 10000, true},
        {"25000\nx\n", 10000, true},
        {"99999999999\n", 10000, true},
        {" 25000\n", 10000, true},
        {"2147483647\n", kHighestKeptScore, true},
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

// Two copies of the game keeping their scores at once: the file ends with
// the best, never lowered by the copy that writes last.
TEST(HighScoreFile, TwoWritersRacingKeepTheBetterScore) {
    const std::string path = Folder("race") + "/tuublark/highscore";
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = fork();
        if (writers[w] == 0) {
            // Interleaved rising scores: 20000, 20002, ... and 20001, 20003, ...
            for (int32_t score = 20000 + w; score < 20400; score += 2) SaveHighScore(path, score);
            _exit(0);
        }
    }
    for (pid_t writer : writers) waitpid(writer, nullptr, 0);
    EXPECT_EQ(ReadFile(path), "20399\n");
    EXPECT_TRUE(SaveHighScore(path, 15000));  // the copy that started from less ends last
    EXPECT_EQ(ReadFile(path), "20399\n");
    ASSERT_TRUE(SaveHighScore(path, INT32_MAX));
    EXPECT_EQ(ReadFile(path), std::to_string(kHighestKeptScore) + "\n");
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

// A player who leaves the title alone, then touches a key `TouchAt`
// frames into the demo. The run checks for input once a frame, and the
// demo once each of its frames and once after it ends.
struct TIdleCounts {
    int32_t TouchAt = 0, Frames = 0, Checks = 0;
    bool SawDrop = false;  // the demo's player held the drop key
};
class TIdlePlayer : public THeadlessSystemDriver {
public:
    explicit TIdlePlayer(TIdleCounts& counts) : n_(counts) {}
    void BeginFrame(int32_t) override { ++n_.Frames; }
    bool TakeUserActivity() override {
        n_.SawDrop = n_.SawDrop || Keyboard().IsDown(VkDown);
        return ++n_.Checks - n_.Frames == n_.TouchAt + 1;
    }

private:
    TIdleCounts& n_;
};

// A played run whose title shows the demo after one second: the demo never
// reaches the run's trace, record or high score, and a key ends it.
TEST(Demo, ATouchEndsItAndTheRunKeepsNoTraceOfIt) {
    const std::string folder = Folder("demo");
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    std::filesystem::create_directory(folder + "/tuublark");
    WriteFile(folder + "/tuublark/highscore", "10001\n");
    struct Run {
        const char* DemoAfter;
        int32_t TouchAt;
        int32_t DemoFrames = -1;
        bool Played = false;
    } runs[] = {{"0", 0}, {"1", 900}};
    for (Run& run : runs) {
        WriteFile(folder + "/tuublark/settings.ini", std::string("demo_after_s = ") + run.DemoAfter + "\n");
        const std::string name = folder + "/run" + run.DemoAfter;
        CommandLine options;
        std::string error;
        // 100 frames: the demo begins after frame 60, and the title's next
        // 60 idle frames are not reached.
        ASSERT_TRUE(ParseCommandLine(
            {"--seed", "5", "--frames", "100", "--trace", name + ".jsonl", "--record", name + ".rec"}, options, error));
        TIdleCounts counts{run.TouchAt};
        ASSERT_EQ(RunGame(options, "",
                          [&](const CommandLine&, const TSettings&, std::string&) {
                              SetSystemDriver(std::make_unique<TIdlePlayer>(counts));
                              return true;
                          }),
                  0);
        run.DemoFrames = counts.Checks - counts.Frames - 2;
        run.Played = counts.SawDrop;
    }
    EXPECT_EQ(runs[0].DemoFrames, -2) << "demo_after_s = 0 shows no demo";
    EXPECT_EQ(runs[1].DemoFrames, 900) << "the demo ends at the touch";
    EXPECT_TRUE(runs[1].Played) << "the built-in player plays the demo";
    EXPECT_EQ(ReadFile(folder + "/run1.jsonl"), ReadFile(folder + "/run0.jsonl"));
    EXPECT_EQ(ReadFile(folder + "/run1.rec"), ReadFile(folder + "/run0.rec"));
    EXPECT_EQ(ReadFile(folder + "/tuublark/highscore"), "10001\n");
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
        "window_size = 10x10\n"
        "demo_after_s = soon\n";
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
    EXPECT_EQ(s.DemoAfterSeconds, 30);
    const std::vector<std::string> expected = {
        "s.ini:6: expected a volume from 0 to 100",
        "s.ini:9: Q is already the rotate_left key",
        "s.ini:11: 'nosuchkey' names no key",
        "s.ini:12: expected 0 (automatic) or 5 to 1000",
        "s.ini:13: expected 'name = value'",
        "s.ini:14: expected auto or WIDTHxHEIGHT (200x150 to 16384x16384)",
        "s.ini:15: expected 0 (never) or seconds up to 3600",
    };
    EXPECT_EQ(problems, expected);

    // Written back: only the values that changed, in their lines; the rest,
    // bad lines included, stays as it was.
    file.Values.MusicVolume = 75;
    file.Values.Keys.Bind(0, 'J');
    std::string written = file.Render();
    std::string expectedText = text;
    expectedText.replace(expectedText.find("music_volume = 40"), 17, "music_volume = 75");
    expectedText.replace(expectedText.find("key_left = Q"), 12, "key_left = J");
    EXPECT_EQ(written, expectedText);
}

// A settings file as the player keeps it, loaded, changed (or not) and
// saved: the bytes after, the lines said, the mode.
TEST(Settings, ASaveChangesOnlyTheValuesThatChanged) {
    const std::string folder = Folder("settings");
    const std::string big = "music_volume = 50\n# " + std::string(kKeptFileLimit, 'x') + "\n";
    const auto music70 = [](TSettings& s) { s.MusicVolume = 70; };
    struct Case {
        const char* Name;
        std::string Before;
        std::function<void(TSettings&)> Change;
        std::string After;
        size_t Said;        // lines on standard error over two saves
        mode_t Mode;        // the file's mode before and after
        bool Link = false;  // settings.ini links to dotfiles/settings.ini
    } cases[] = {
        {"unchanged", "music_volume = 50\n", [](TSettings&) {}, "music_volume = 50\n", 0, 0644},
        {"comments", "# mine\nmusic_volume = 50  # quiet\n\n[x]\ncolour = blue\n", music70,
         "# mine\nmusic_volume = 70  # quiet\n\n[x]\ncolour = blue\n", 0, 0644},
        {"crlf", "fullscreen = off\r\nmusic_volume = 50\r\n", [](TSettings& s) { s.EffectsVolume = 30; },
         "fullscreen = off\r\nmusic_volume = 50\r\neffects_volume = 30\r\n", 0, 0644},
        {"no last newline", "music_volume = 50", [](TSettings& s) { s.EffectsVolume = 30; },
         "music_volume = 50\neffects_volume = 30\n", 0, 0644},
        {"bom", "\xEF\xBB\xBFmusic_volume = 50\n", music70, "\xEF\xBB\xBFmusic_volume = 70\n", 0, 0644},
        {"duplicates", "music_volume = 40\nmusic_volume = 50\n", music70, "music_volume = 40\nmusic_volume = 70\n", 0,
         0644},
        {"too large", big, music70, big, 1, 0644},
        {"private", "music_volume = 50\n", music70, "music_volume = 70\n", 0, 0600},
        {"read-only", "music_volume = 50\n", music70, "music_volume = 50\n", 1, 0444},
        {"link", "music_volume = 50\n", music70, "music_volume = 70\n", 0, 0644, true},
        {"tiny window", "window_size = 1024x768\n", [](TSettings& s) { KeepWindowSize(s, 1, 1); },
         "window_size = 200x150\n", 0, 0644},
        {"huge window", "window_size = 1024x768\n", [](TSettings& s) { KeepWindowSize(s, 20000, 5000); },
         "window_size = 16384x5000\n", 0, 0644},
    };
    for (const Case& c : cases) {
        const std::string path = folder + "/settings.ini", target = c.Link ? folder + "/dotfiles/settings.ini" : path;
        std::system(("rm -rf '" + folder + "'/* && mkdir -p '" + folder + "/dotfiles'").c_str());
        WriteFile(target, c.Before);
        chmod(target.c_str(), c.Mode);
        if (c.Link) symlink("dotfiles/settings.ini", path.c_str());
        ::testing::internal::CaptureStderr();
        TSettingsFile file = LoadSettings(path);
        c.Change(file.Values);
        SaveSettings(path, file);
        SaveSettings(path, file);  // a second save (the window at the end) says nothing more
        std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(ReadFile(target), c.After) << c.Name;
        EXPECT_EQ(test::CountLines(err), c.Said) << c.Name << ": " << err;
        struct stat info;
        EXPECT_EQ(lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode), c.Link) << c.Name;
        EXPECT_EQ(stat(target.c_str(), &info) == 0 ? info.st_mode & 0777 : 0, c.Mode) << c.Name;
    }
    // A first save makes the folders, the user's alone.
    const std::string fresh = folder + "/config/tuublark/settings.ini";
    TSettingsFile file = LoadSettings(fresh);
    ASSERT_TRUE(SaveSettings(fresh, file));
    struct stat info;
    ASSERT_EQ(stat((folder + "/config").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
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
