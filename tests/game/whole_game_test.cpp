// The program run as a player or a tool runs it: exit statuses, messages,
// traces and replays.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/image/pixmap.h"
#include "tests/support/game_process.h"

namespace {

using namespace tuublark::test;

// Lines of stderr that are not the audio output's underrun notice, which a
// loaded machine may add to any windowed run with a sound device.
size_t CountLinesBesidesUnderrun(const std::string& text) {
    size_t n = CountLines(text);
    if (text.find("audio output ran dry") != std::string::npos) --n;
    return n;
}

bool HaveDisplay() { return std::getenv("DISPLAY") != nullptr; }

// A short game: start, play a little, leave with Escape, start again.
const char* kGameInput =
    "seed 7\n"
    "10 down space\n11 up space\n"
    "40 down left\n46 up left\n"
    "60 down s\n61 up s\n"
    "70 down down\n120 up down\n"
    "130 down a\n131 up a\n"
    "150 down right\n190 up right\n"
    "400 down escape\n401 up escape\n"
    "420 down space\n421 up space\n";

// Runs `keys` (bash lines using $id, the game's window, and `when PATTERN
// FILE`, which waits until FILE holds a line matching PATTERN or the game
// has ended) against a windowed game started with `args`, on a display of
// its own, once the window is shown and has the keyboard focus (a window
// is named before it is mapped, and cannot take the focus until then).
// The search is tried again when it fails: xdotool stops at an X error,
// which it meets when a window it has listed is gone before it reads it
// (SDL makes and drops a window of its own as it starts). Keys
// wait for what the game shows, never for a time; a run that hangs is
// ended after fifteen minutes and fails.
void RunWithKeys(const std::string& args, const std::string& keys, const std::string& name,
                 const std::string& env = "") {
    std::string script = env + "SDL_AUDIODRIVER=dummy '" TUUBLARK_EXECUTABLE "' --windowed " + args +
                         " & pid=$!\n"
                         "when() { grep -q -m1 -e \"$1\" < <(tail -n +1 -F --pid=$pid \"$2\" 2>/dev/null); }\n"
                         "until id=$(xdotool search --sync --onlyvisible --pid $pid --name '^TUUBLARK$' "
                         "2>/dev/null | head -1); [ -n \"$id\" ]; do\n"
                         "  kill -0 $pid || exit 1\n"
                         "done\n"
                         "until [ \"$(xdotool getwindowfocus 2>/dev/null)\" = \"$id\" ]; do\n"
                         "  xdotool windowfocus --sync \"$id\" 2>/dev/null\n"
                         "done\n" +
                         keys + "\nwait $pid\n";
    std::string scriptPath = Temp(name + ".sh");
    WriteFile(scriptPath, script);
    ASSERT_EQ(std::system((kOwnDisplay + "timeout -k 2 900 bash '" + scriptPath + "'").c_str()), 0);
}

// Tests that press keys through the X server skip without its tools.
#define SKIP_WITHOUT_XDOTOOL()                                                \
    if (!HaveDisplay() || std::system("command -v xdotool Xvfb > /dev/null")) \
    GTEST_SKIP() << "needs an X display, xdotool and Xvfb"

TEST(WholeGame, SeedOptionAndSeedLineGiveTheSameGame) {
    std::string input = Temp("rec_in.txt");
    WriteFile(input, kGameInput);
    std::string first = Temp("rec_a.jsonl"), second = Temp("rec_b.jsonl");
    ASSERT_EQ(RunGameProcess("--headless --frames 450 --input '" + input + "' --trace '" + first + "'").Status, 0);
    ASSERT_EQ(
        RunGameProcess("--headless --seed 7 --frames 450 --input '" + input + "' --trace '" + second + "'").Status, 0);
    EXPECT_EQ(ReadFile(first), ReadFile(second));
}

TEST(WholeGame, AutoplayIsTheSameGameEachTimeAndItsRecordReplaysIt) {
    std::string record = Temp("auto.rec"), first = Temp("auto_a.jsonl"), second = Temp("auto_b.jsonl");
    std::string replay = Temp("auto_replay.jsonl");
    const std::string run = "--headless --autoplay --seed 3 --frames 2400 ";
    ASSERT_EQ(RunGameProcess(run + "--record '" + record + "' --trace '" + first + "'").Status, 0);
    ASSERT_EQ(RunGameProcess(run + "--trace '" + second + "'").Status, 0);
    EXPECT_EQ(ReadFile(first), ReadFile(second));
    ASSERT_EQ(RunGameProcess("--headless --frames 2400 --input '" + record + "' --trace '" + replay + "'").Status, 0);
    EXPECT_EQ(ReadFile(first), ReadFile(replay));
    // The player played: pieces went, the game went on.
    std::string last = ReadFile(first).substr(ReadFile(first).rfind("{\"Frame\""));
    EXPECT_NE(last.find("\"Screen\":2,"), std::string::npos);
    EXPECT_EQ(last.find("\"DeletedCount\":0,"), std::string::npos);
}

TEST(WholeGame, AKeyEndsTheTitlesDemoAndDoesNothingElse) {
    SKIP_WITHOUT_XDOTOOL();
    std::string home = Temp("demo_home"), live = Temp("demo.jsonl"), headless = Temp("demo_h.jsonl");
    std::system(("rm -rf '" + home + "' && mkdir -p '" + home + "/tuublark'").c_str());
    WriteFile(home + "/tuublark/settings.ini", "demo_after_s = 1\n");
    // The demo begins after the title's 60th frame and the trace stands
    // still while it plays. Space ends it and must not start a game; if the
    // demo went on, the run is stopped and its trace falls short.
    RunWithKeys("--seed 5 --frames 100 --trace '" + live + "'",
                "n() { [ -f '" + live + "' ] && wc -l < '" + live +
                    "' || echo 0; }\n"
                    "for i in $(seq 1200); do [ $(n) -ge 60 ] && break; sleep 0.05; done; xdotool key space\n"
                    "for i in $(seq 1200); do [ $(n) -ge 100 ] && break; sleep 0.05; done; kill -TERM $pid",
                "demo", "XDG_CONFIG_HOME='" + home + "' XDG_DATA_HOME='" + home + "' ");
    ASSERT_EQ(RunGameProcess("--headless --seed 5 --frames 100 --trace '" + headless + "'").Status, 0);
    EXPECT_EQ(ReadFile(live), ReadFile(headless));
    EXPECT_FALSE(std::ifstream(home + "/tuublark/highscore")) << "the demo wrote a high score";
}

TEST(WholeGame, AltEnterSwitchesToFullScreenAndBackWithoutDisturbingTheGame) {
    SKIP_WITHOUT_XDOTOOL();
    std::string input = Temp("alt_enter.txt"), windowed = Temp("alt_enter.jsonl"), headless = Temp("alt_h.jsonl");
    std::string shot = Temp("alt_enter.png"), geometry = Temp("alt_enter_geometry.txt");
    WriteFile(input, kGameInput);
    RunWithKeys("--frames 360 --input '" + input + "' --trace '" + windowed + "' --screenshot '" + shot + "'",
                "when '\"Frame\":60,' '" + windowed +
                    "'; xdotool key alt+Return; xdotool getwindowgeometry \"$id\" > '" + geometry +
                    "'; xdotool key alt+Return",
                "alt_enter");
    ASSERT_EQ(RunGameProcess("--headless --frames 360 --input '" + input + "' --trace '" + headless + "'").Status, 0);
    EXPECT_EQ(ReadFile(windowed), ReadFile(headless)) << "the switch must not reach the game";
    EXPECT_GT(ReadFile(shot).size(), 1000u);
    // Without a window manager the X server keeps the window's size, so the
    // switch itself is not checked here, only that the game goes on.
    EXPECT_NE(ReadFile(geometry).find("Geometry:"), std::string::npos);
}

TEST(WholeGame, PauseStopsFramesAndTheGameGoesOnWithTheNextFrame) {
    SKIP_WITHOUT_XDOTOOL();
    std::string record = Temp("pause.rec"), live = Temp("pause.jsonl"), replay = Temp("pause_replay.jsonl");
    std::string counts = Temp("pause_counts.txt");
    // Real key events through the X server, recorded and replayed. Each key
    // waits until the record shows the frame that took the one before (P is
    // 80, Pause 19). Paused: the trace does not grow over a second, a key
    // pressed meanwhile does not reach the game; P plays on; Escape while
    // paused leaves the game. The run is stopped once the frame that took
    // Escape is in the trace: a stop that comes as a frame takes its keys
    // ends the run before that frame.
    const std::string when = "; when ' down ";
    RunWithKeys("--frames 100000 --record '" + record + "' --trace '" + live + "'",
                "xdotool key space" + when + "space$' '" + record + "'\nxdotool key shift+a" + when + "160$' '" +
                    record + "'\nxdotool key p" + when + "80$' '" + record + "'\na=$(wc -l < '" + live +
                    "'); xdotool key Left; sleep 1; b=$(wc -l < '" + live + "'); echo $a $b > '" + counts +
                    "'\nxdotool key p; xdotool key Pause" + when + "19$' '" + record + "'\nxdotool key Escape" + when +
                    "escape$' '" + record + "'\ne=$(grep -m1 ' down escape$' '" + record +
                    "' | cut -d' ' -f1); when \"^{\\\"Frame\\\":$e,\" '" + live + "'; kill -TERM $pid",
                "pause");
    int before = -1, after = -2;
    ASSERT_EQ(std::sscanf(ReadFile(counts).c_str(), "%d %d", &before, &after), 2) << ReadFile(counts);
    EXPECT_EQ(before, after) << "frames ran while paused";
    std::string trace = ReadFile(live);
    const std::string frames = std::to_string(CountLines(trace));
    std::istringstream lines(trace);
    std::string line, last;
    for (int frame = 1; std::getline(lines, line); ++frame, last = line)
        ASSERT_EQ(line.rfind("{\"Frame\":" + std::to_string(frame) + ",", 0), 0u) << line.substr(0, 40);
    EXPECT_EQ(ReadFile(record).find(" down left"), std::string::npos) << "a key pressed while paused was played";
    EXPECT_NE(ReadFile(record).find(" down 160"), std::string::npos) << "left Shift is recorded with its side";
    EXPECT_NE(ReadFile(record).find(" down escape"), std::string::npos);
    EXPECT_NE(last.find("\"Screen\":1,"), std::string::npos) << "Escape while paused leaves the game";
    ASSERT_EQ(
        RunGameProcess("--headless --frames " + frames + " --input '" + record + "' --trace '" + replay + "'").Status,
        0);
    EXPECT_EQ(trace, ReadFile(replay));
}

TEST(WholeGame, StopSignalWhilePausedEndsTheRunWithAWholeTrace) {
    SKIP_WITHOUT_XDOTOOL();
    std::string live = Temp("paused_stop.jsonl");
    // RunWithKeys fails unless the game ends with status 0.
    // Paused once the game is in play, however slowly it runs.
    RunWithKeys("--frames 100000 --trace '" + live + "'",
                "xdotool key space; when '\"Screen\":2,' '" + live + "'; xdotool key p; sleep 0.5; kill -TERM $pid",
                "paused_stop");
    const std::string trace = ReadFile(live);
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.back(), '\n');
    EXPECT_NE(trace.substr(trace.rfind("{\"Frame\"")).find("\"Screen\":2,"), std::string::npos) << "paused in play";
}

TEST(WholeGame, KeyReboundOnTheOptionsScreenAndResizedWindowPlayAndAreSaved) {
    SKIP_WITHOUT_XDOTOOL();
    std::string config = Temp("config"), record = Temp("rebind.rec"), live = Temp("rebind.jsonl");
    std::string replay = Temp("rebind_replay.jsonl");
    std::system(("rm -rf '" + config + "' && mkdir -p '" + config + "/tuublark'").c_str());
    WriteFile(config + "/tuublark/settings.ini", "colour = blue\nmusic_volume = 50\n");
    // The window is resized. O (recorded as 79) opens the options, once a
    // title frame has taken it; the fourth line is Left: Enter, then J.
    // Escape closes, and Space, typed straight after, starts a game, where
    // J moves the piece. The game is stopped once the record holds that.
    RunWithKeys("--frames 6000 --record '" + record + "' --trace '" + live + "'",
                "xdotool windowsize \"$id\" 1000 700 key o; when ' down 79$' '" + record +
                    "'\nxdotool key Down Down Down Return j Escape space; when '\"Screen\":2,' '" + live +
                    "'\nxdotool key j; when ' down left$' '" + record + "'; kill -TERM $pid",
                "rebind", "XDG_CONFIG_HOME='" + config + "' ");
    // Only what changed is added; --windowed does not reach the file.
    std::string settings = ReadFile(config + "/tuublark/settings.ini");
    EXPECT_EQ(settings, "colour = blue\nmusic_volume = 50\nkey_left = J\nwindow_size = 1000x700\n");
    std::string recorded = ReadFile(record);
    EXPECT_NE(recorded.find(" down left"), std::string::npos) << recorded;
    EXPECT_EQ(recorded.find(" down escape"), std::string::npos) << "the screen's Escape reached the title";
    // Replayed in a window resized again: the same game, the file untouched.
    const std::string frames = std::to_string(CountLines(ReadFile(live)));
    RunWithKeys("--frames " + frames + " --input '" + record + "' --trace '" + replay + "'",
                "xdotool windowsize \"$id\" 640 480", "rebind_replay", "XDG_CONFIG_HOME='" + config + "' ");
    EXPECT_EQ(ReadFile(live), ReadFile(replay));
    EXPECT_EQ(ReadFile(config + "/tuublark/settings.ini"), settings);
}

TEST(WholeGame, KeptHighScoreStartsAPlayedGameAndItsRecordButNoReplay) {
    if (!HaveDisplay()) GTEST_SKIP() << "no X display";
    std::string home = Temp("home"), record = Temp("hs.rec"), live = Temp("hs_live.jsonl");
    std::string replay = Temp("hs_replay.jsonl"), headless = Temp("hs_headless.jsonl");
    std::system(("rm -rf '" + home + "' && mkdir -p '" + home + "/tuublark'").c_str());
    WriteFile(home + "/tuublark/highscore", "23456\n");
    std::string env = "SDL_AUDIODRIVER=dummy XDG_DATA_HOME='" + home + "'";
    RunResult r = RunGameProcess("--windowed --frames 30 --record '" + record + "' --trace '" + live + "'", env);
    ASSERT_EQ(r.Status, 0) << r.Stderr;
    EXPECT_NE(ReadFile(record).find("seed "), std::string::npos);
    EXPECT_NE(ReadFile(record).find("\nhighscore 23456\n"), std::string::npos) << ReadFile(record);
    EXPECT_NE(ReadFile(live).find("\"HighScore\":23456"), std::string::npos);
    // The replay starts from the recorded high score, not from the file.
    WriteFile(home + "/tuublark/highscore", "99999\n");
    ASSERT_EQ(RunGameProcess("--headless --frames 30 --input '" + record + "' --trace '" + replay + "'", env).Status,
              0);
    EXPECT_EQ(ReadFile(live), ReadFile(replay));
    // A headless game neither reads nor writes the file.
    ASSERT_EQ(RunGameProcess("--headless --seed 1 --frames 2 --trace '" + headless + "'", env).Status, 0);
    EXPECT_NE(ReadFile(headless).find("\"HighScore\":10000"), std::string::npos);
    EXPECT_EQ(ReadFile(home + "/tuublark/highscore"), "99999\n");
    // A damaged file: one warning line, the game starts from 10000.
    WriteFile(home + "/tuublark/highscore", "9x9\n");
    r = RunGameProcess("--windowed --frames 2 --trace '" + live + "'", env);
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(CountLinesBesidesUnderrun(r.Stderr), 1u) << r.Stderr;
    EXPECT_NE(ReadFile(live).find("\"HighScore\":10000"), std::string::npos);
    EXPECT_EQ(ReadFile(home + "/tuublark/highscore"), "9x9\n");
}

TEST(WholeGame, FullScreenWithoutTheGamesModeRunsOnTheDesktopMode) {
    // The virtual display offers only its own 1024x768 mode: the picture is
    // shown scaled, and the screenshot is still the game's 800x600.
    if (!HaveDisplay()) GTEST_SKIP() << "no X display";
    if (std::system("command -v Xvfb > /dev/null") != 0) GTEST_SKIP() << "Xvfb is not installed";
    std::string shot = Temp("fullscreen.png");
    std::remove(shot.c_str());
    // A display of its own: a full-screen game that loses the focus to
    // another test's window minimises and waits, as it should.
    RunResult r = RunGameProcess("--frames 20 --screenshot '" + shot + "'", "SDL_AUDIODRIVER=dummy " + kOwnDisplay);
    ASSERT_EQ(r.Status, 0) << r.Stderr;
    tuublark::PixmapRef picture = tuublark::LoadPixmap(shot);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width, 800);
    EXPECT_EQ(picture->Height, 600);
    // The whole picture is there: the background reaches every corner.
    for (auto [x, y] : {std::pair{3, 3}, {796, 3}, {3, 596}, {796, 596}}) {
        const uint8_t* p = picture->Row(y) + x * tuublark::BytesPerPixel(picture->Format);
        EXPECT_GT(p[0] + p[1] + p[2], 30) << "black at " << x << "," << y;
    }
}

TEST(WholeGame, HelpVersionAndAnUnknownOption) {
    EXPECT_EQ(RunGameProcess("--help").Status, 0);
    EXPECT_EQ(RunGameProcess("--version").Status, 0);
    RunResult r = RunGameProcess("--frobnicate");
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Stderr, "tuublark: unknown option '--frobnicate' (see --help)\n");
}

}  // namespace
