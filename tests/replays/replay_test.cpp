// The golden replay: a scripted session of several games played headless
// for 20,000 frames must give, frame by frame, the trace kept with it.
// Any change of a rule, a scan order or a start value shows up here; when
// the change is meant, regenerate.sh rewrites the golden trace and the
// commit explains the difference.
#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

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

// The top-level "key":value members of one trace line, in order.
std::vector<std::string> Members(const std::string& json) {
    std::vector<std::string> members;
    std::string current;
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < json.size(); ++i) {
        char c = json[i];
        if (inString) {
            current += c;
            if (c == '\\' && i + 1 < json.size()) current += json[++i];
            else if (c == '"') inString = false;
            continue;
        }
        if (c == '"') inString = true;
        if (c == '{' || c == '[') depth += 1;
        if (c == '}' || c == ']') depth -= 1;
        if ((c == ',' && depth == 1) || (c == '}' && depth == 0)) {
            members.push_back(current);
            current.clear();
            continue;
        }
        if (depth == 1 && c == '{' && current.empty()) continue;
        current += c;
    }
    return members;
}

// "Frame N, Field: golden ... now ..." for the first member that differs.
std::string Difference(const std::string& golden, const std::string& now) {
    std::vector<std::string> a = Members(golden), b = Members(now);
    std::string frame = a.empty() ? "?" : a[0];
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        std::string x = i < a.size() ? a[i] : "(missing)";
        std::string y = i < b.size() ? b[i] : "(missing)";
        if (x != y) return frame + ": golden " + x + ", now " + y;
    }
    return frame + ": lines differ";
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

TEST(GoldenReplay, DifferenceNamesTheFrameAndTheField) {
    EXPECT_EQ(Difference(R"({"Frame":12,"Score":13,"Board":[[0,1],[2,3]]})",
                         R"({"Frame":12,"Score":26,"Board":[[0,1],[2,3]]})"),
              R"("Frame":12: golden "Score":13, now "Score":26)");
    EXPECT_EQ(Difference(R"({"Frame":3,"Sounds":["a,b"],"Board":[[0,1]]})",
                         R"({"Frame":3,"Sounds":["a,b"],"Board":[[0,2]]})"),
              R"("Frame":3: golden "Board":[[0,1]], now "Board":[[0,2]])");
}

}  // namespace
