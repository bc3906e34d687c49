// The start-up check: a missing or damaged asset stops the game before the
// display opens, naming the file, with exit status 1.
#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/runtime/filesystem.h"
#include "game/asset_check.h"

namespace fs = std::filesystem;

namespace tuublark {
namespace {

struct RunResult {
    int Status = -1;
    std::string Stderr;
};

class AssetCheck : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::path(::testing::TempDir()) / ("tuublark_asset_check_" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        for (const char* folder : {"backgrounds", "graphics", "Audio"})
            fs::copy(fs::path(TUUBLARK_BINARY_DIR) / folder, root_ / folder, fs::copy_options::recursive);
        previous_ = DataFolder();
    }
    void TearDown() override {
        SetDataFolder(previous_);
        fs::remove_all(root_);
    }

    // Runs the game headless in the copied data folder.
    RunResult RunGame() {
        const fs::path errPath = root_ / "stderr.txt";
        std::string command = "cd '" + root_.string() + "' && '" TUUBLARK_EXECUTABLE "' --headless --frames 3 2> '" +
                              errPath.string() + "' > /dev/null";
        int raw = std::system(command.c_str());
        RunResult result;
        result.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ifstream in(errPath);
        std::stringstream text;
        text << in.rdbuf();
        result.Stderr = text.str();
        return result;
    }

    void Truncate(const fs::path& path, size_t keep) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes(keep, '\0');
        in.read(&bytes[0], static_cast<std::streamsize>(keep));
        in.close();
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(keep));
    }

    fs::path root_;
    std::string previous_;
};

TEST_F(AssetCheck, CompleteFolderPasses) {
    SetDataFolder(root_.string());
    EXPECT_TRUE(FindAssetProblems().empty());
    RunResult run = RunGame();
    EXPECT_EQ(run.Status, 0) << run.Stderr;
    EXPECT_EQ(run.Stderr.find("asset"), std::string::npos) << run.Stderr;
}

TEST_F(AssetCheck, MissingFilesAreNamedOneLineEach) {
    fs::remove(root_ / "graphics" / "Ely1.bmp");
    fs::remove(root_ / "Audio" / "Drumloop10.ogg");
    RunResult run = RunGame();
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Stderr, "Missing asset: graphics/Ely1.bmp\nMissing asset: Audio/Drumloop10.ogg\n");
}

TEST_F(AssetCheck, WholeMissingFolderNamesEveryFileInIt) {
    fs::remove_all(root_ / "Audio");
    SetDataFolder(root_.string());
    auto problems = FindAssetProblems();
    ASSERT_EQ(problems.size(), 12u);
    EXPECT_EQ(problems.front(), "Missing asset: Audio/Transition.ogg");
    for (const std::string& line : problems) EXPECT_EQ(line.rfind("Missing asset: Audio/", 0), 0u) << line;
}

TEST_F(AssetCheck, DamagedFilesAreUnreadable) {
    Truncate(root_ / "graphics" / "HippoShock.bmp", 40);
    Truncate(root_ / "Audio" / "bleepecho.ogg", 300);
    std::ofstream(root_ / "graphics" / "rez.ttf", std::ios::binary | std::ios::trunc) << "not a font";
    std::ofstream(root_ / "backgrounds" / "BG07.bmp", std::ios::binary | std::ios::trunc);
    RunResult run = RunGame();
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Stderr,
              "Unreadable asset: backgrounds/BG07.bmp\n"
              "Unreadable asset: graphics/HippoShock.bmp\n"
              "Unreadable asset: graphics/rez.ttf\n"
              "Unreadable asset: Audio/bleepecho.ogg\n");
}

}  // namespace
}  // namespace tuublark
