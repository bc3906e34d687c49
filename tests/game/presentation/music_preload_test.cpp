// Drum loops decoded ahead: the prepared sound is the one LoadSound gives,
// and the skins prepare the loop of the skin that follows them.
#include "engine/audio/sound_preload.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "game/game_state.h"
#include "game/presentation/skins.h"
#include "game/startup.h"

namespace tuublark::testing {
namespace {

namespace fs = std::filesystem;

// A short 16-bit mono PCM WAV file.
void WriteWav(const fs::path& path, int frames) {
    auto u32 = [](std::ofstream& o, uint32_t v) {
        o.put(v & 255), o.put(v >> 8 & 255), o.put(v >> 16 & 255), o.put(v >> 24);
    };
    auto u16 = [](std::ofstream& o, uint16_t v) { o.put(v & 255), o.put(v >> 8); };
    std::ofstream o(path, std::ios::binary);
    o.write("RIFF", 4), u32(o, 36 + frames * 2), o.write("WAVE", 4);
    o.write("fmt ", 4), u32(o, 16), u16(o, 1), u16(o, 1), u32(o, 22050), u32(o, 44100), u16(o, 2), u16(o, 16);
    o.write("data", 4), u32(o, frames * 2);
    for (int i = 0; i < frames; ++i) u16(o, static_cast<uint16_t>(i * 300));
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
