// The golden replays: a scripted session of several games played headless
// for 20,000 frames, and a game of the built-in player through all ten
// skins, must give, frame by frame, the traces kept with them.
// Any change of a rule, a scan order or a start value shows up here; when
// the change is meant, regenerate.sh rewrites the golden trace and the
// commit explains the difference.
#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

namespace {

const std::string kReplayDir = TUUBLARK_SOURCE_DIR "/tests/replays/";

// One line of a gzip file without its newline; false at the end.
bool ReadLine(gzFile file, std::string& line) {
    line.clear();
    char buffer[4096];
    while (gzgets(file, buffer, sizeof buffer)) {
        line += buffer;
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
            return true;
        }
    }
    return !line.empty();
}

// "Frame N: golden ... now ..." from the field where two lines first
// differ, a stretch of each.
std::string Difference(const std::string& golden, const std::string& now) {
    const size_t at = std::mismatch(golden.begin(), golden.end(), now.begin(), now.end()).first - golden.begin();
    const size_t field = golden.rfind(",\"", at) + 1;
    return golden.substr(1, golden.find(',') - 1) + ": golden " + golden.substr(field, at - field + 40) + ", now " +
           now.substr(field, at - field + 40);
}

// Plays `input` headless for `frames` frames and compares the trace with
// the gzip file `golden` frame by frame; returns the golden lines read.
int ExpectKeptTrace(const std::string& input, const std::string& golden, int frames,
                    const std::function<void(const std::string&)>& eachLine = nullptr) {
    const std::string trace = ::testing::TempDir() + "tuublark_golden_trace_" + std::to_string(getpid()) + ".jsonl";
    const std::string command = "'" TUUBLARK_EXECUTABLE "' --headless --frames " + std::to_string(frames) +
                                " --input '" + kReplayDir + input + "' --trace '" + trace + "' > /dev/null";
    int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;

    gzFile kept = gzopen((kReplayDir + golden).c_str(), "rb");
    EXPECT_NE(kept, nullptr) << "cannot read " << golden;
    std::ifstream now(trace, std::ios::binary);
    EXPECT_TRUE(now) << "no trace written";
    if (!kept || !now) return 0;

    std::string a, b;
    int lines = 0;
    while (true) {
        bool haveGolden = ReadLine(kept, a);
        bool haveNow = static_cast<bool>(std::getline(now, b));
        if (!haveGolden && !haveNow) break;
        lines += 1;
        if (!haveGolden || !haveNow) {
            ADD_FAILURE() << "the traces differ in length from line " << lines << " ("
                          << (haveGolden ? "the new trace ends" : "the golden trace ends") << ")";
            break;
        }
        if (a != b) {
            ADD_FAILURE() << "first difference at " << Difference(a, b);
            break;
        }
        if (eachLine) eachLine(a);
    }
    gzclose(kept);
    std::remove(trace.c_str());
    return lines;
}

TEST(GoldenReplay, SessionGivesTheKeptTraceFrameByFrame) {
    EXPECT_EQ(ExpectKeptTrace("golden-input.txt", "golden-trace.jsonl.gz", 20000), 20000);
}

// A game of the built-in player from the title through all ten skins to
// its game over and back to the title: the last skins, their speeds and
// changes, which the scripted session never reaches.
TEST(GoldenReplay, TenSkinGameGivesTheKeptTraceFrameByFrame) {
    // As many frames as the kept trace has.
    int frames = 0;
    gzFile kept = gzopen((kReplayDir + "golden-ten-skins-trace.jsonl.gz").c_str(), "rb");
    ASSERT_NE(kept, nullptr);
    for (std::string line; ReadLine(kept, line);) frames += 1;
    gzclose(kept);
    bool skinTen = false, over = false;
    auto look = [&](const std::string& line) {
        bool play = line.find("\"Screen\":2,") != std::string::npos;
        skinTen = skinTen || (play && line.find("\"SkinIndex\":0,") != std::string::npos);
        over = over || (skinTen && line.find("\"Screen\":3,") != std::string::npos);
    };
    EXPECT_EQ(ExpectKeptTrace("golden-ten-skins-input.txt", "golden-ten-skins-trace.jsonl.gz", frames, look), frames);
    EXPECT_TRUE(skinTen && over) << "the kept game must play skin 10 and end";
}

}  // namespace
