#include "game/run.h"

#include <algorithm>
#include <future>
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <functional>
#include <memory>

#include "engine/display/graphics.h"
#include "engine/display/render_driver.h"
#include "engine/engine.h"
#include "engine/input/input_script.h"
#include "engine/input/keyboard.h"
#include "engine/input/system_driver.h"
#include "engine/runtime/file_open.h"
#include "engine/runtime/filesystem.h"
#include "engine/platform/stop_signals.h"
#include "game/asset_check.h"
#include "game/frame_profile.h"
#include "game/game_sound.h"
#include "game/game_state.h"
#include "game/high_score_file.h"
#include "game/run_files.h"
#include "game/run_frames.h"
#include "game/startup.h"

namespace tuublark {

int RunGame(const CommandLine& options, const std::string& executablePath, const PlatformInstaller& installPlatform) {
    // What the keyboard listener uses is made before the engine, so it
    // outlives the engine's keyboard.
    TInputRecorder recorder;
    int32_t frame = 0;
    // Everything below uses the engine; it goes last, closing the display,
    // waiting for its workers and shutting the platform down.
    TEngine engine;
    InitDataFolder(executablePath);

    std::string error;
    if (!CheckDistinctFiles(options, error)) return FailRun(error);
    TInputScript script;
    bool scripted = !options.InputPath.empty();
    if (scripted && !script.Load(options.InputPath, error)) return FailRun(error);

    std::optional<int32_t> seed = options.Seed;
    if (!seed && scripted) seed = script.Seed();

    // Replays, headless runs and the built-in player's leave the player's
    // files alone.
    const bool playerRun = !scripted && !options.Headless && !options.Autoplay;
    const bool keepHighScore = playerRun || options.KeepHighScore;
    std::string highScorePath = keepHighScore ? HighScorePath() : "";
    if (playerRun && (highScorePath.empty() || SettingsPath().empty())) {
        std::string lost = highScorePath.empty() ? "the high score" : "";
        if (SettingsPath().empty()) lost += std::string(lost.empty() ? "" : " and ") + "the settings";
        std::fprintf(stderr,
                     "tuublark: no home folder (HOME and XDG_DATA_HOME or XDG_CONFIG_HOME unset or "
                     "relative); %s cannot be kept\n",
                     lost.c_str());
    }
    int32_t highScore = keepHighScore ? LoadHighScore(highScorePath) : kDefaultHighScore;
    if (scripted && script.HighScore()) highScore = std::max(*script.HighScore(), kDefaultHighScore);
    TSettingsFile settingsFile;
    if (!options.Headless) settingsFile = LoadSettings(SettingsPath());
    TSettings settings = settingsFile.Values;
    if (options.Windowed) settings.FullScreen = false;
    if (options.FullScreen) settings.FullScreen = true;

    // The output files are only emptied once start-up went well.
    if (!CheckOutputFiles(options, error)) return FailRun(error);

    // Every file must be there before the display opens; whether each one
    // decodes is checked while the display opens and the pictures load.
    if (!FindMissingAssets().empty()) {
        ReportAssetProblems(FindAssetProblems());
        return 1;
    }
    std::shared_future<std::vector<std::string>> decodeCheck = StartDecodeCheck();

    // The engine starts with the headless drivers.
    if (!options.Headless && !installPlatform(options, settings, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 255;
    }

    // A recording needs its seed before the first frame.
    if (!options.RecordPath.empty() && !seed) seed = Millisecs();
    auto g = std::make_unique<GameState>();
    StartUp(*g, seed);
    g->HighScore = highScore;
    ApplyVolumes(*g, settings.MusicVolume, settings.EffectsVolume);
    if (!ReportAssetProblems(TEngine::Await(decodeCheck))) return 1;
    // From here on a stop signal ends the run after the current frame, with
    // a whole trace; before, nothing is written yet and it ends the process
    // at once.
    CatchStopSignals();

    std::unique_ptr<std::FILE, FileCloser> trace;
    if (!options.TracePath.empty()) {
        trace.reset(OpenFile(options.TracePath, "w"));
        if (!trace) return FailRun(WriteError(options.TracePath, "trace file", errno));
    }
    TFrameProfile profile;
    if (!options.ProfilePath.empty() && !profile.Open(options.ProfilePath, error)) return FailRun(error);
    const std::function<void(bool, int)> record = [&](bool down, int key) { recorder.Record(frame, down, key); };
    if (!options.RecordPath.empty()) {
        if (!recorder.Open(options.RecordPath, *seed, highScore, error)) return FailRun(error);
        Keyboard().SetListener(record);
    }
    if (options.Unpaced) {
        Graphics().Pacing.PacingOn = 0;
        RenderDriver().SetSwapInterval(0);
    }

    TRunFrames run{options,      *g,       script,  playerRun, keepHighScore, highScorePath, highScore,
                   settingsFile, settings, profile, trace,     recorder,      record,        frame};
    int exitStatus = PlayFrames(run);
    if (trace && std::fflush(trace.get()) != 0)
        exitStatus = FailRun(WriteError(options.TracePath, "trace file", errno));
    if (!profile.Close(error)) exitStatus = FailRun(error);
    // The game was played to its end; the record could not keep up.
    if (recorder.Failed())
        exitStatus = FailRun(options.RecordPath + ": cannot write record file; the record is incomplete");
    // A window the player resized opens at that size next time; the file's
    // full-screen choice stays as it was (--windowed does not reach it).
    int32_t windowWidth, windowHeight;
    TSettings& kept = settingsFile.Values;
    if (playerRun && SystemDriver().ResizedWindow(windowWidth, windowHeight)) {
        KeepWindowSize(kept, windowWidth, windowHeight);
        SaveSettings(SettingsPath(), settingsFile);
    }
    if (StopSignalled()) {
        // The outputs are whole and the display is given back; work going
        // on in the background (sounds decoding) is not waited for.
        RenderDriver().CloseGraphics();
        std::fflush(nullptr);
        std::_Exit(exitStatus);
    }
    return exitStatus;
}

}  // namespace tuublark
