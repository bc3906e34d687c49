// Faults from outside the program: each asset missing or damaged in turn,
// no audio device, replay, trace and record files that cannot be used.
// The program runs as a player starts it, on a copy of the data folder.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/runtime/filesystem.h"
#include "game/assets.h"
#include "tests/support/game_process.h"

namespace fs = std::filesystem;

namespace tuublark {
namespace {

using namespace tuublark::test;

// A short game that starts, moves, rotates and drops pieces.
const char* kGameInput =
    "seed 11\n"
    "10 down space\n11 up space\n"
    "40 down left\n52 up left\n"
    "60 down s\n61 up s\n"
    "70 down down\n160 up down\n"
    "170 down a\n171 up a\n"
    "180 down right\n230 up right\n"
    "240 down down\n330 up down\n";

class FaultInjection : public ::testing::Test {
protected:
    // One copy of the generated data folder for the whole suite, of this
    // process alone (CTest runs each test as its own process, in parallel);
    // each test restores what it damages.
    static void SetUpTestSuite() {
        Root() = fs::path(::testing::TempDir()) / ("tuublark_faults_" + std::to_string(getpid()));
        fs::remove_all(Root());
        fs::create_directories(Root());
        for (const char* folder : {"backgrounds", "graphics", "Audio"})
            fs::copy(fs::path(TUUBLARK_BINARY_DIR) / folder, Root() / folder, fs::copy_options::recursive);
    }
    static void TearDownTestSuite() { fs::remove_all(Root()); }

    static fs::path& Root() {
        static fs::path root;
        return root;
    }

    // Runs the game with the data folder copy as working directory.
    static RunResult Run(const std::string& args, const std::string& environment = "") {
        return RunGameProcess(args, "cd '" + Root().string() + "' && " + environment);
    }

    // Every asset file the game checks at start-up, with the message lines
    // it gives when it fails: one per game path that names it (the catalogue
    // names one picture in two spellings), in the order of the check.
    struct AssetFile {
        fs::path File;
        std::vector<std::string> Paths;
        std::string Lines(const std::string& what) const {
            std::string lines;
            for (const std::string& path : Paths) lines += what + path + "\n";
            return lines;
        }
    };
    static std::vector<AssetFile> Assets() {
        SetDataFolder(Root().string());
        std::vector<AssetFile> assets;
        for (const std::string& path : AllAssetPaths()) {
            std::string file = ResolveAssetPath(path);
            EXPECT_FALSE(file.empty()) << "generated data folder lacks " << path;
            if (file.empty()) continue;
            auto same = std::find_if(assets.begin(), assets.end(), [&](const AssetFile& a) { return a.File == file; });
            if (same == assets.end()) assets.push_back({fs::path(file), {path}});
            else same->Paths.push_back(path);
        }
        return assets;
    }

    // A run that fails start-up leaves the trace of the last run as it was.
    static std::string KeptTrace() {
        WriteFile(Root() / "kept.jsonl", "{\"Frame\":1}\n");
        return "--trace '" + (Root() / "kept.jsonl").string() + "'";
    }
    static void ExpectTraceKept() { EXPECT_EQ(ReadFile(Root() / "kept.jsonl"), "{\"Frame\":1}\n"); }

    // Every asset file removed in turn, or damaged in turn (its first bytes
    // kept, the rest noise, as a file broken in transfer): its lines, status
    // 1, and the last run's trace kept.
    static void ExpectEachStops(bool missing) {
        auto assets = Assets();
        ASSERT_FALSE(assets.empty());
        for (const AssetFile& asset : assets) {
            const std::string original = ReadFile(asset.File);
            ASSERT_GT(original.size(), 16u) << asset.File;
            std::string damaged = original.substr(0, 16);
            for (int i = 0; i < 300; ++i) damaged += static_cast<char>((i * 73 + 41) & 0xff);
            if (missing) fs::remove(asset.File);
            else WriteFile(asset.File, damaged);
            RunResult r = Run("--headless --frames 1 " + KeptTrace());
            WriteFile(asset.File, original);
            EXPECT_EQ(r.Status, 1) << asset.File;
            EXPECT_EQ(r.Stderr, asset.Lines(missing ? "Missing asset: " : "Unreadable asset: "));
            ExpectTraceKept();
        }
    }
};

TEST_F(FaultInjection, EachMissingAssetStopsTheGame) { ExpectEachStops(true); }
TEST_F(FaultInjection, EachCorruptedAssetStopsTheGame) { ExpectEachStops(false); }

TEST_F(FaultInjection, EmptyAndSpecialFilesAndMemoryBombsAreUnreadableAssets) {
    SetDataFolder(Root().string());
    // A WAV whose data chunk states 2^31 one-byte frames, there in full
    // (as a sparse file).
    auto hugeWav = [](const fs::path& file) {
        std::string header = "RIFF\xff\xff\xff\xffWAVEfmt ";
        const unsigned char fmt[] = {16, 0, 0, 0, 1, 0, 1, 0, 0x40, 0x1f, 0, 0, 0x40, 0x1f, 0, 0, 1, 0, 8, 0};
        header.append(reinterpret_cast<const char*>(fmt), sizeof fmt);
        header += std::string("data\0\0\0\x80", 8);
        WriteFile(file, header);
        fs::resize_file(file, header.size() + (uintmax_t{1} << 31));
    };
    struct Case {
        const char* Path;
        std::function<void(const fs::path&)> Make;
    };
    const Case cases[] = {
        {"graphics/rez.ttf", [](const fs::path& file) { WriteFile(file, ""); }},
        {"graphics/rez.ttf", [](const fs::path& file) { fs::create_directory(file); }},
        {"backgrounds/BG01.bmp", [](const fs::path& file) { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); }},
        // A terabyte (sparse), refused before its memory is asked for.
        {"graphics/rez.ttf",
         [](const fs::path& file) {
             WriteFile(file, "");
             fs::resize_file(file, uintmax_t{1} << 40);
         }},
        {"Audio/bleepecho.ogg", hugeWav},
    };
    for (const Case& c : cases) {
        const fs::path file = ResolveAssetPath(c.Path), aside = file.string() + ".aside";
        fs::rename(file, aside);
        c.Make(file);
        RunResult r = Run("--headless --frames 1");
        fs::remove(file);
        fs::rename(aside, file);
        EXPECT_EQ(r.Status, 1) << c.Path;
        EXPECT_EQ(r.Stderr, std::string("Unreadable asset: ") + c.Path + "\n");
    }
}

TEST_F(FaultInjection, NoAudioDevicePlaysASilentButCompleteGame) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    const fs::path input = Root() / "silent.txt";
    WriteFile(input, kGameInput);
    const fs::path headless = Root() / "silent_h.jsonl", windowed = Root() / "silent_w.jsonl";
    ASSERT_EQ(
        Run("--headless --frames 360 --input '" + input.string() + "' --trace '" + headless.string() + "'").Status, 0);
    RunResult r = Run("--windowed --frames 360 --input '" + input.string() + "' --trace '" + windowed.string() + "'",
                      "SDL_AUDIODRIVER=no_such_driver");
    ASSERT_EQ(r.Status, 0) << r.Stderr;
    EXPECT_NE(r.Stderr.find("playing silently"), std::string::npos) << r.Stderr;
    EXPECT_EQ(CountLines(r.Stderr), 1u) << r.Stderr;
    const std::string trace = ReadFile(windowed);
    EXPECT_EQ(CountLines(trace), 360u);
    EXPECT_EQ(trace, ReadFile(headless));
}

// Replay files that cannot be used, one file named twice, and output files
// that refuse to be written: exit 2 with one line that says why, and
// nothing written over.
TEST_F(FaultInjection, UnusableFilesExitWithStatus2AndOneLineSayingWhy) {
    const fs::path record = Root() / "rec.txt", link = Root() / "link.txt", fresh = Root() / "fresh.txt";
    WriteFile(record, kGameInput);
    fs::remove(link);
    fs::create_symlink(record, link);
    const std::string rec = "'" + record.string() + "'", lnk = "'" + link.string() + "'";
    const std::string replay = (Root() / "replay.txt").string(), folder = Root().string() + "/backgrounds";
    auto input = [](const std::string& path) { return "--headless --frames 5 --input '" + path + "'"; };
    struct Case {
        std::string Args;
        std::string Expected;     // in the message
        std::string Replay = {};  // what replay.txt holds for the case
    };
    const Case cases[] = {
        {input(folder), folder + ": cannot read input file"},
        {input("graphics/ABlock.bmp"), "graphics/ABlock.bmp:1: "},  // a picture given by mistake
        {input(replay), replay + ":2: ", "12 down left\n" + std::string(64, '\0') + "\n"},
        {input(replay), replay + ":2: frame 10 comes after", "20 down left\n10 up left\n"},
        {input(replay), replay + ":2: line too long", "1 down left\n" + std::string(5000, '#') + "\n"},
        {input("/dev/zero"), "/dev/zero:1: line too long"},  // endless, without a line end
        // A terminal escape in a key name reaches the terminal escaped.
        {input(replay), replay + ":1: unknown key '\\x1b[2Jred'", "1 down \x1b[2Jred\n"},
        // The same file by path, link or relative name, refused before
        // anything is written.
        {"--headless --frames 5 --input " + rec + " --trace " + rec, "name the same file"},
        {"--headless --frames 5 --input " + lnk + " --profile " + rec, "name the same file"},
        {"--windowed --frames 5 --input " + rec + " --screenshot " + lnk, "name the same file"},
        {"--headless --frames 5 --record fresh.txt --trace ./fresh.txt", "name the same file"},
        {"--headless --frames 5 --trace fresh.txt --profile '" + fresh.string() + "'", "name the same file"},
        // A folder given as the file to write, and a device that opens but
        // refuses every write: the failure shows when the file is written,
        // not as a silent success.
        {"--headless --frames 5 --trace backgrounds", "backgrounds: cannot write trace file (Is a directory)"},
        {"--headless --frames 5 --record backgrounds", "backgrounds: cannot write record file (Is a directory)"},
        {"--headless --frames 200 --trace /dev/full", "/dev/full: cannot write trace file (No space left on device)"},
        {"--headless --frames 5 --record /dev/full", "/dev/full: cannot write record file (No space left on device)"},
        {"--headless --frames 5 --profile /dev/full", "/dev/full: cannot write profile file (No space left on device)"},
        {"--windowed --frames 2 --screenshot no/such/folder.png",
         "no/such/folder.png: cannot write screenshot (No such file or directory)"},
    };
    for (const Case& c : cases) {
        const bool windowed = c.Args.find("--windowed") != std::string::npos;
        if (windowed && std::getenv("DISPLAY") == nullptr) continue;
        if (!c.Replay.empty()) WriteFile(replay, c.Replay);
        // Mesa keeps memory past the sanitizer's leak check (scripts/test.sh).
        RunResult r = Run(c.Args, windowed ? "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\"" : "");
        EXPECT_EQ(r.Status, 2) << c.Args;
        // A window that opened may add a line about the sound device.
        if (!windowed || c.Expected == "name the same file") {
            EXPECT_EQ(CountLines(r.Stderr), 1u) << r.Stderr;
        }
        EXPECT_NE(r.Stderr.find(c.Expected), std::string::npos) << r.Stderr;
        EXPECT_EQ(r.Stderr.find('\x1b'), std::string::npos);
        EXPECT_EQ(ReadFile(record), kGameInput) << c.Args;
        EXPECT_FALSE(fs::exists(fresh)) << c.Args;
    }
}

TEST_F(FaultInjection, NoDisplayIsAFatalGraphicsErrorUnlessADriverIsNamed) {
    struct Case {
        std::string Environment;
        int Status;
    };
    const Case cases[] = {
        {"env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER", 255},
        {"env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=:4242", 255},    // no such server
        {"env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=offscreen", 0},  // the user's choice
    };
    for (const Case& c : cases) {
        RunResult r = Run("--windowed --frames 3", c.Environment);
        EXPECT_EQ(r.Status, c.Status) << c.Environment << "\n" << r.Stderr;
        EXPECT_EQ(r.Stderr.find("Unable to set graphics mode") != std::string::npos, c.Status == 255) << r.Stderr;
    }
}

// Starts the game in the data folder copy with `environment` added; its
// output goes nowhere. The stop signals have their default action in it,
// whatever the test runner set.
pid_t Spawn(const std::string& root, const std::string& args, const std::vector<std::string>& environment) {
    const pid_t parent = getpid();
    pid_t child = fork();
    if (child != 0) return child;
    // A game left running by a test that was itself ended (a CTest
    // timeout) would write its endless trace until the disk is full.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(125);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
    for (const std::string& setting : environment) putenv(const_cast<char*>(setting.c_str()));
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    if (chdir(root.c_str()) != 0) _exit(126);
    execl("/bin/sh", "sh", "-c", ("exec '" TUUBLARK_EXECUTABLE "' " + args).c_str(), static_cast<char*>(nullptr));
    _exit(127);
}

// The first bytes of a file that a running game may be making very long:
// enough for the lines the waits below look for.
std::string ReadHead(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string head(64 * 1024, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    return head;
}

// Waits until `met` holds for the file or the process has ended, whichever
// comes first; woken by each change to the file and by the process's end,
// so a slow machine only makes it wait longer. Whether `met` held.
bool WaitForFile(pid_t pid, const fs::path& file, const std::function<bool()>& met) {
    const int changes = inotify_init1(IN_CLOEXEC);
    inotify_add_watch(changes, file.c_str(), IN_OPEN | IN_MODIFY | IN_CLOSE_WRITE);
    const int process = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    bool ended = false;
    while (!met() && !ended) {
        pollfd waits[2] = {{changes, POLLIN, 0}, {process, POLLIN, 0}};
        poll(waits, 2, -1);
        char events[4096];
        if (waits[0].revents & POLLIN) (void)!read(changes, events, sizeof events);
        ended = (waits[1].revents & POLLIN) != 0;
    }
    const bool held = met();
    close(process);
    close(changes);
    return held;
}

// The wait status, or -1 when the process has not ended within 20 s (it
// is then killed).
int WaitForEnd(pid_t pid) {
    for (int i = 0; i < 2000; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return status;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

TEST_F(FaultInjection, StopSignalsEndTheRunInEveryStateWithAWholeTrace) {
    struct Case {
        const char* State;
        std::string Args;
        std::vector<std::string> Environment;
        int Signal;
    };
    const char* noFocus = "SDL_VIDEODRIVER=offscreen";  // a full-screen window that never gets the focus
    const Case cases[] = {
        {"playing", "--windowed --frames 1000000 --seed 3", {}, SIGINT},
        {"playing", "--windowed --frames 1000000 --seed 3", {}, SIGHUP},
        {"playing", "--headless --frames 2000000000", {}, SIGTERM},
        {"waiting for the focus", "--frames 1000000", {noFocus}, SIGTERM},
        {"start-up", "--windowed --frames 1000000", {}, SIGTERM},
    };
    const fs::path trace = Root() / "stopped.jsonl";
    const std::string kept = "{\"Frame\":1}\n";
    for (const Case& c : cases) {
        const bool display = c.Args.find("--windowed") == std::string::npos || std::getenv("DISPLAY");
        if (!display) continue;
        WriteFile(trace, kept);
        pid_t pid = Spawn(Root().string(), c.Args + " --trace '" + trace.string() + "'", c.Environment);
        const bool startUp = std::string(c.State) == "start-up";
        // The trace is emptied when start-up is over; then the game plays,
        // or waits for the focus before its first frame.
        // Only the trace's head is read: a headless game writes hundreds of
        // megabytes a second, and reading it whole could fall further and
        // further behind.
        if (!startUp) WaitForFile(pid, trace, [&] { return ReadHead(trace) != kept; });
        if (std::string(c.State) == "playing")
            WaitForFile(pid, trace, [&] { return CountLines(ReadHead(trace)) >= 10; });
        else if (!startUp) usleep(300000);
        kill(pid, c.Signal);
        int status = WaitForEnd(pid);
        ASSERT_NE(status, -1) << c.State << ": still running after the signal";
        const std::string written = ReadFile(trace);
        if (startUp) {
            EXPECT_EQ(written, kept) << "a run stopped in start-up writes nothing";
            continue;
        }
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.State << " " << status;
        EXPECT_TRUE(written.empty() || written.back() == '\n') << c.State;
        std::istringstream lines(written);
        for (std::string line; std::getline(lines, line);)
            EXPECT_TRUE(line.front() == '{' && line.back() == '}') << c.State << ": " << line;
    }
}

}  // namespace
}  // namespace tuublark
