// Running the game program as a player or a script runs it, for the tests
// of exit statuses, messages and output files.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace tuublark::test {

struct RunResult {
    int Status = -1;
    std::string Stderr;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline size_t CountLines(const std::string& text) {
    size_t n = 0;
    for (char c : text) n += c == '\n';
    return n;
}

// A file name of this test process alone (CTest runs tests in parallel).
inline std::string Temp(const std::string& name) {
    return ::testing::TempDir() + "tuublark_" + std::to_string(getpid()) + "_" + name;
}

// Put before a command, runs it on an X display of its own: a fresh Xvfb
// that picks a free display number itself, so tests starting displays in
// parallel never race for one.
inline const std::string kOwnDisplay = "sh '" TUUBLARK_SOURCE_DIR "/tests/support/own_display.sh' ";

// Runs the game with `args`, after `prefix` (environment settings or a
// command such as "cd DIR &&"); standard output is dropped. A run that
// hangs is ended after ten minutes (far above a slow machine's time) and
// counts as failed.
inline RunResult RunGameProcess(const std::string& args, const std::string& prefix = "") {
    const std::string errPath = Temp("stderr.txt");
    std::string command =
        prefix + " timeout -k 2 600 '" TUUBLARK_EXECUTABLE "' " + args + " 2> '" + errPath + "' > /dev/null";
    int raw = std::system(command.c_str());
    RunResult result;
    result.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.Stderr = ReadFile(errPath);
    return result;
}

}  // namespace tuublark::test
