// Drum loops decoded ahead: the prepared sound is the one LoadSound gives,
// and the skins prepare the loop of the skin that follows them.
#include "engine/audio/sound_preload.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/audio/sample_loader.h"
#include "engine/engine.h"
#include "game/game_state.h"
#include "game/presentation/skins.h"
#include "game/startup.h"
#include "tests/engine/audio/test_sounds.h"

namespace tuublark::testing {
namespace {

namespace fs = std::filesystem;

// A short 16-bit mono PCM WAV file.
void WriteWav(const fs::path& path, int frames) {
    std::vector<int16_t> values(frames);
    for (int i = 0; i < frames; ++i) values[i] = static_cast<int16_t>(i * 300);
    const test::Bytes bytes = test::MakeWav(1, 1, 22050, 16, test::Le16(values));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

class MusicPreloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = fs::current_path();
        dir = fs::temp_directory_path() / ("music_preload_test_" + std::to_string(::getpid()));
        fs::create_directories(dir / "Audio");
        fs::current_path(dir);
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(dir);
    }
    fs::path previous, dir;
};

TEST_F(MusicPreloadTest, PreparedLoopIsTakenOnceAsTheSoundOfItsFile) {
    WriteWav("Audio/loop.wav", 1000);
    PrepareSound("Audio/loop.wav");
    PrepareSound("Audio/loop.wav");  // a second request changes nothing
    EXPECT_TRUE(SoundPrepared("Audio/loop.wav"));
    SoundRef sound = TakePreparedSound("Audio/loop.wav", 0);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->Path, "Audio/loop.wav");
    EXPECT_FALSE(SoundPrepared("Audio/loop.wav"));
    // Not prepared any more: loaded on the spot, the same way.
    SoundRef again = TakePreparedSound("Audio/loop.wav", 0);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Path, "Audio/loop.wav");
}

// Decoded once per run: the prepared loop gets the samples the start-up
// check decoded, not a second decoding of its file.
TEST_F(MusicPreloadTest, PreparedLoopUsesTheSamplesDecodedBefore) {
    WriteWav("Audio/kept.wav", 1000);
    ASSERT_TRUE(LoadSharedAudioSample("Audio/kept.wav"));
    PrepareSound("Audio/kept.wav");
    EXPECT_TRUE(TakePreparedSound("Audio/kept.wav", 0));
    int decodings = 0;
    for (const auto& [file, sample] : Engine().Samples().Decoded) decodings += fs::path(file).filename() == "kept.wav";
    EXPECT_EQ(decodings, 1);
}

TEST_F(MusicPreloadTest, MissingOrDamagedLoopGivesNullPreparedOrNot) {
    std::ofstream("Audio/damaged.ogg") << "OggS but not really";
    PrepareSound("Audio/missing.ogg");
    PrepareSound("Audio/damaged.ogg");
    EXPECT_EQ(TakePreparedSound("Audio/missing.ogg", 0), nullptr);
    EXPECT_EQ(TakePreparedSound("Audio/damaged.ogg", 0), nullptr);
    EXPECT_EQ(TakePreparedSound("Audio/missing.ogg", 0), nullptr);
}

TEST_F(MusicPreloadTest, EachSkinPreparesTheNextSkinsLoopAndTakesItsOwn) {
    for (int s = 1; s <= 10; ++s) WriteWav("Audio/Drumloop" + std::to_string(s) + ".ogg", 100 + s);
    GameState g;
    ResetGameState(g);
    for (int s = 1; s <= 10; ++s) {
        g.SkinIndex = s;
        LoadSkinMusic(g, s);
        ASSERT_TRUE(g.MusicLoopSound) << s;
        EXPECT_EQ(g.MusicLoopSound->Path, "Audio/Drumloop" + std::to_string(s) + ".ogg");
        EXPECT_FALSE(SoundPrepared("Audio/Drumloop" + std::to_string(s) + ".ogg")) << s;
        EXPECT_TRUE(SoundPrepared("Audio/Drumloop" + std::to_string(s % 10 + 1) + ".ogg")) << s;
    }
    TakePreparedSound("Audio/Drumloop1.ogg", 0);  // leave nothing prepared behind
}

}  // namespace
}  // namespace tuublark::testing
