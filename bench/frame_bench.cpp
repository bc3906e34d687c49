// Frame cost with real drawing and start-up time: runs the game in a
// window (under an X server, e.g. Xvfb with Mesa) over a replay that
// passes every screen and skin changes, and reads its --profile. The
// OpenGL ES 2.0 driver's whole frame (drawing and presenting, from one
// frame's start to the next) is given as a ratio to the OpenGL 1.1
// driver's.
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

// The median time from one frame's start to the next, in ms, of a
// profile: the whole unpaced frame, its presentation included.
double MedianFrameInterval(const std::string& profilePath) {
    std::ifstream in(profilePath);
    std::string line;
    std::vector<double> intervals;
    long long last = -1;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        long long frame = 0, screen = 0, micros = 0, start = 0;
        if (!(fields >> frame >> screen >> micros >> start)) continue;
        if (last >= 0) intervals.push_back((start - last) / 1000.0);
        last = start;
    }
    if (intervals.empty()) return 0;
    std::sort(intervals.begin(), intervals.end());
    return intervals[intervals.size() / 2];
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
    std::vector<double> costs, skinChangeCosts, gles2Costs;
    std::string worstFrames;
    double worst = 0, glInterval = 0, gles2Interval = 0;
    for (int run = 0; run < 4; ++run) {
        std::vector<std::string> args = {argv[1],    "--windowed", "--unpaced", "--input",  argv[2],
                                         "--frames", argv[3],      "--profile", profilePath};
        if (run == 3) {  // the same replay drawn by the other driver
            args.insert(args.end(), {"--renderer", "gles2"});
            if (RunGame(args) != 0) {
                std::fprintf(stderr, "frame_bench: the replay did not run with --renderer gles2\n");
                return 1;
            }
            gles2Interval = MedianFrameInterval(profilePath);
            std::ifstream in(profilePath);
            std::string line;
            while (std::getline(in, line)) {
                std::istringstream fields(line);
                int frame = 0, screen = 0;
                long long micros = 0;
                if (fields >> frame >> screen >> micros) gles2Costs.push_back(micros / 1000.0);
            }
            break;
        }
        if (RunGame(args) != 0) {
            std::fprintf(stderr, "frame_bench: the replay did not run\n");
            return 1;
        }
        if (run == 0) glInterval = MedianFrameInterval(profilePath);
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
    std::sort(gles2Costs.begin(), gles2Costs.end());
    double gles2Median = gles2Costs.empty() ? 0 : gles2Costs[gles2Costs.size() / 2];
    double worstChange =
        skinChangeCosts.empty() ? 0 : *std::max_element(skinChangeCosts.begin(), skinChangeCosts.end());
    std::printf(
        "{\"frame_median_ms\":%.3f,\"frame_worst_ms\":%.3f,\"frame_median_of_budget\":%.4f,"
        "\"frame_worst_of_budget\":%.4f,\"skin_change_frames\":%zu,\"skin_change_worst_ms\":%.3f,"
        "\"startup_ms\":%.1f,\"frame_worst_frames\":\"%s\",\"gl_frame_interval_ms\":%.3f,"
        "\"gles2_frame_interval_ms\":%.3f,\"gles2_frame_ratio\":%.3f,\"gles2_frame_median_ms\":%.3f}\n",
        median, worst, median / budget, worst / budget, skinChangeCosts.size(), worstChange,
        startups[startups.size() / 2], worstFrames.c_str(), glInterval, gles2Interval,
        glInterval > 0 ? gles2Interval / glInterval : 0.0, gles2Median);
    return 0;
}
