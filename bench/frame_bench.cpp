// Frame cost with real drawing and start-up time: runs the game in a
// window (under an X server, e.g. Xvfb with Mesa) over a replay that
// passes every screen and skin changes, and reads its --profile.
//
//   frame_bench TUUBLARK INPUT_FILE FRAMES    (run from the build folder)
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

long long MonotonicNs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Runs the game once; returns its exit status.
int RunGame(const std::vector<std::string>& args) {
    pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: frame_bench TUUBLARK INPUT_FILE FRAMES\n");
        return 2;
    }
    std::string profilePath = "/tmp/tuublark_frame_bench_" + std::to_string(getpid()) + ".txt";
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    // Start-up: process start to the first presented frame, median of five.
    std::vector<double> startups;
    for (int run = 0; run < 5; ++run) {
        long long before = MonotonicNs();
        if (RunGame({argv[1], "--windowed", "--frames", "1", "--profile", profilePath}) != 0) {
            std::fprintf(stderr, "frame_bench: the game did not run\n");
            return 1;
        }
        std::ifstream in(profilePath);
        std::string word;
        long long presented = 0;
        while (in >> word)
            if (word == "presented") in >> presented;
        startups.push_back((presented - before) / 1e6);
    }
    std::sort(startups.begin(), startups.end());

    // Frame costs over the replay, unpaced so it takes seconds, not minutes;
    // three runs, since the worst frame must hold in each.
    std::vector<double> costs, skinChangeCosts;
    std::string worstFrames;
    double worst = 0;
    for (int run = 0; run < 3; ++run) {
        if (RunGame({argv[1], "--windowed", "--unpaced", "--input", argv[2], "--frames", argv[3], "--profile",
                     profilePath}) != 0) {
            std::fprintf(stderr, "frame_bench: the replay did not run\n");
            return 1;
        }
        std::ifstream in(profilePath);
        std::string line;
        int worstFrame = 0;
        double worstCost = -1;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            int frame = 0, screen = 0;
            long long micros = 0;
            if (!(fields >> frame >> screen >> micros)) continue;
            if (run == 0) costs.push_back(micros / 1000.0);
            if (run == 0 && screen == 4) skinChangeCosts.push_back(micros / 1000.0);
            if (micros / 1000.0 > worstCost) worstCost = micros / 1000.0, worstFrame = frame;
        }
        char text[64];
        std::snprintf(text, sizeof text, "%s%d (%.2f ms)", run ? ", " : "", worstFrame, worstCost);
        worstFrames += text;
        worst = std::max(worst, worstCost);
    }
    std::remove(profilePath.c_str());
    if (costs.empty()) return 1;
    std::sort(costs.begin(), costs.end());
    const double budget = 1000.0 / 60.0;
    double median = costs[costs.size() / 2];
    double worstChange =
        skinChangeCosts.empty() ? 0 : *std::max_element(skinChangeCosts.begin(), skinChangeCosts.end());
    std::printf(
        "{\"frame_median_ms\":%.3f,\"frame_worst_ms\":%.3f,\"frame_median_of_budget\":%.4f,"
        "\"frame_worst_of_budget\":%.4f,\"skin_change_frames\":%zu,\"skin_change_worst_ms\":%.3f,"
        "\"startup_ms\":%.1f,\"frame_worst_frames\":\"%s\"}\n",
        median, worst, median / budget, worst / budget, skinChangeCosts.size(), worstChange,
        startups[startups.size() / 2], worstFrames.c_str());
    return 0;
}
