#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "engine/runtime/filesystem.h"
#include "engine/runtime/stream.h"

namespace tuublark {
namespace {

class AssetPaths : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tuublark_fs_XXXXXX";
        root_ = mkdtemp(pattern);
        mkdir((root_ + "/backgrounds").c_str(), 0755);
        mkdir((root_ + "/Graphics").c_str(), 0755);
        std::ofstream(root_ + "/Graphics/Hippo2.bmp") << "hippo";
        std::ofstream(root_ + "/backgrounds/BG01.bmp") << "bg";
        previous_ = DataFolder();
        SetDataFolder(root_);
    }
    void TearDown() override {
        SetDataFolder(previous_);
        std::system(("rm -rf '" + root_ + "'").c_str());
    }
    std::string root_, previous_;
};

// Exact paths resolve as written; each component falls back to a match in
// any case ("graphics/" and "Graphics/" name one folder); missing files
// resolve to nothing.
TEST_F(AssetPaths, EachComponentFallsBackToACaseInsensitiveMatch) {
    EXPECT_EQ(ResolveAssetPath("backgrounds/BG01.bmp"), root_ + "/backgrounds/BG01.bmp");
    EXPECT_EQ(ResolveAssetPath("graphics/hippo2.bmp"), root_ + "/Graphics/Hippo2.bmp");
    EXPECT_EQ(ResolveAssetPath("GRAPHICS/HIPPO2.BMP"), root_ + "/Graphics/Hippo2.bmp");
    EXPECT_EQ(ResolveAssetPath("Backgrounds/bg01.BMP"), root_ + "/backgrounds/BG01.bmp");
    EXPECT_EQ(ResolveAssetPath("graphics/Croc1.bmp"), "");
    EXPECT_EQ(ResolveAssetPath("nofolder/x.bmp"), "");
    EXPECT_EQ(ResolveAssetPath(""), "");
    EXPECT_EQ(OpenStream("graphics/Croc1.bmp"), nullptr);
}

TEST_F(AssetPaths, StreamsOpenThroughTheLookup) {
    auto stream = OpenStream("GRAPHICS/hippo2.bmp");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->Size(), 5);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile("graphics/HIPPO2.bmp", bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "hippo");
}

TEST_F(AssetPaths, DataFolderIsTheWorkingDirectoryWhenItHoldsTheBackgrounds) {
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(root_.c_str()), 0);
    InitDataFolder("/elsewhere/tuublark");
    EXPECT_EQ(DataFolder(), ".");
    EXPECT_EQ(ResolveAssetPath("graphics/hippo2.bmp"), "./Graphics/Hippo2.bmp");
    ASSERT_EQ(chdir(cwd), 0);
}

}  // namespace
}  // namespace tuublark
