#include "game/run_frames.h"

#include <cerrno>

#include "engine/display/graphics.h"
#include "engine/display/render_driver.h"
#include "engine/image/pixmap.h"
#include "engine/input/keyboard.h"
#include "engine/input/system_driver.h"
#include "engine/platform/stop_signals.h"
#include "game/autoplay/autoplayer.h"
#include "game/demo.h"
#include "game/frame_loop.h"
#include "game/game_sound.h"
#include "game/game_state.h"
#include "game/high_score_file.h"
#include "game/options_screen.h"
#include "game/pause.h"
#include "game/run_files.h"
#include "game/trace.h"

namespace tuublark {

int PlayFrames(TRunFrames& run) {
    const CommandLine& options = run.Options;
    GameState& g = run.Game;
    TInputScript& script = run.Script;
    TFrameProfile& profile = run.Profile;
    TSettings& settings = run.Settings;
    std::unique_ptr<std::FILE, FileCloser>& trace = run.Trace;
    TInputRecorder& recorder = run.Recorder;
    int32_t& frame = run.Frame;

    auto stop = [] { return SystemDriver().QuitSignalled(); };
    int exitStatus = 0;
    TAutoPlayer autoPlayer;
    // Frames of a player's run on the title with no input, towards the demo.
    const int32_t demoFrames = settings.DemoAfterSeconds * 60;
    int32_t idleFrames = 0;
    while (true) {
        frame += 1;
        SystemDriver().BeginFrame(frame);
        // Stopped while waiting (minimised, unfocused): no frame more.
        if (StopSignalled()) break;
        BeginAudioFrame(FrameLatenessSeconds());
        script.ApplyFrame(frame, Keyboard());
        if (options.Autoplay) autoPlayer.Play(g, Keyboard());
        idleFrames = SystemDriver().TakeUserActivity() || g.Screen != kTitleScreen ? 0 : idleFrames + 1;
        profile.BeginFrame();
        const int32_t screenAtStart = g.Screen;
        RunFrame(g);
        profile.EndFrame(frame, g.Screen);
        if (trace) {
            std::string line = TraceLine(g, frame);
            line += '\n';
            if (std::fwrite(line.data(), 1, line.size(), trace.get()) != line.size()) {
                exitStatus = FailRun(WriteError(options.TracePath, "trace file", errno));
                trace.reset();
                break;
            }
        }
        bool last = g.QuitRequested || (options.Frames && frame >= *options.Frames) || SystemDriver().QuitSignalled();
        // A pause or a menu shows this frame as its still.
        TMenuRequest request =
            run.PlayerRun && !last ? TakeMenuRequest(screenAtStart, settings.Keys) : TMenuRequest::None;
        PixmapRef still;
        if (request != TMenuRequest::None) still = RenderDriver().GrabPixmap(0, 0, 800, 600);
        if (last && !options.ScreenshotPath.empty()) {
            const TGraphicsState& gs = Graphics();
            PixmapRef shot = RenderDriver().GrabPixmap(0, 0, gs.Width, gs.Height);
            errno = 0;
            if (!shot || !SavePixmapPNG(*shot, options.ScreenshotPath))
                exitStatus = FailRun(WriteError(options.ScreenshotPath, "screenshot", errno != 0 ? errno : EINVAL));
        }
        if (run.KeepHighScore && g.HighScore > run.HighScore) {
            run.HighScore = g.HighScore;
            SaveHighScore(run.HighScorePath, run.HighScore);
        }
        PresentFrame();
        profile.FramePresented();
        if (last) break;
        if (request == TMenuRequest::Pause) RunPause(still, stop);
        if (request == TMenuRequest::Options) RunOptions(g, still, run.SettingsFile, SettingsPath(), settings, stop);
        if (run.PlayerRun && demoFrames > 0 && idleFrames >= demoFrames && request == TMenuRequest::None) {
            // The demo's keys are not the player's: nothing records them.
            // The trace so far is on disk while the demo plays.
            Keyboard().SetListener(nullptr);
            if (trace) std::fflush(trace.get());
            RunDemo(g, stop);
            if (recorder.IsOpen()) Keyboard().SetListener(run.RecordKey);
            idleFrames = 0;
        }
    }
    return exitStatus;
}

}  // namespace tuublark
