// The golden replay: a scripted session of several games played headless
// for 20,000 frames must give, frame by frame, the trace kept with it.
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

TEST(GoldenReplay, SessionGivesTheKeptTraceFrameByFrame) {
    const std::string trace = ::testing::TempDir() + "tuublark_golden_trace_" + std::to_string(getpid()) + ".jsonl";
    const std::string command = "'" TUUBLARK_EXECUTABLE "' --headless --frames 20000 --input '" + kReplayDir +
                                "golden-input.txt' --trace '" + trace + "' > /dev/null";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;

    gzFile golden = gzopen((kReplayDir + "golden-trace.jsonl.gz").c_str(), "rb");
    ASSERT_NE(golden, nullptr) << "cannot read the golden trace";
    std::ifstream now(trace, std::ios::binary);
    ASSERT_TRUE(now) << "no trace written";

    std::string a, b;
    int lines = 0;
    while (true) {
        bool haveGolden = ReadLine(golden, a);
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
    }
    gzclose(golden);
    EXPECT_EQ(lines, 20000);
    std::remove(trace.c_str());
}

}  // namespace
