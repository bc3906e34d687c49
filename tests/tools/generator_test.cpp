// The generator itself: the same bytes on every run, one folder per name
// whatever its spelling in the catalogue, every game path covered.
#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "engine/runtime/filesystem.h"
#include "game/assets.h"

namespace fs = std::filesystem;

namespace tuublark {
namespace {

int RunGenerator(const std::string& out) {
    std::string command = std::string("'") + TUUBLARK_ASSETGEN + "' --out '" + out + "' --font '" +
                          TUUBLARK_FONT_SOURCE + "' > /dev/null";
    int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::map<std::string, std::vector<char>> ReadTree(const fs::path& root) {
    std::map<std::string, std::vector<char>> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[fs::relative(entry.path(), root).string()] =
            std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

class Generator : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::path(::testing::TempDir()) / ("tuublark_assetgen_test_" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        previous_ = DataFolder();
    }
    void TearDown() override {
        SetDataFolder(previous_);
        fs::remove_all(root_);
    }

    fs::path root_;
    std::string previous_;
};

TEST_F(Generator, TwoRunsWriteIdenticalFiles) {
    ASSERT_EQ(RunGenerator((root_ / "a").string()), 0);
    ASSERT_EQ(RunGenerator((root_ / "b").string()), 0);
    auto a = ReadTree(root_ / "a");
    auto b = ReadTree(root_ / "b");
    ASSERT_FALSE(a.empty());
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        ASSERT_TRUE(b.count(name)) << name;
        EXPECT_TRUE(bytes == b[name]) << name << " differs between runs";
    }
}

// "graphics/" and "Graphics/", "hippo2" and "Hippo2" are one file each for
// the game; the generator writes each once, and every game path finds it.
TEST_F(Generator, RewritesOnlyChangedFilesAndRepairsDamagedOnes) {
    ASSERT_EQ(RunGenerator(root_.string()), 0);
    const fs::path loop = root_ / "Audio" / "Drumloop4.ogg";
    auto good = ReadTree(root_);
    std::ofstream(loop, std::ios::binary | std::ios::trunc) << "damaged";
    ASSERT_EQ(RunGenerator(root_.string()), 0);
    EXPECT_TRUE(ReadTree(root_) == good);
}

}  // namespace
}  // namespace tuublark
