// A game played with a game controller (SDL's virtual joystick, connected
// and removed during the run): its buttons reach the game as keys, are
// recorded, and the record replays the same game.
#include <gtest/gtest.h>

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine/platform/sdl_platform.h"
#include "game/command_line.h"
#include "game/run.h"
#include "tests/support/game_process.h"

namespace tuublark {
namespace {

using test::ReadFile;
using test::Temp;

// What the controller does: a button pressed, or the left stick's x axis
// pushed to `Value`, then let go.
struct TStep {
    int Button;  // -1: the stick
    int Value;
};

TEST(Controller, ButtonsAndStickPlayAGameThatReplays) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    // A display of its own, so no other test's window takes the focus (and
    // pauses the game): the test runs itself again on one.
    if (!std::getenv("TUUBLARK_OWN_DISPLAY")) {
        if (std::system("command -v Xvfb > /dev/null") != 0) GTEST_SKIP() << "Xvfb is not installed";
        std::string command = "TUUBLARK_OWN_DISPLAY=1 SDL_AUDIODRIVER=dummy sh '" TUUBLARK_SOURCE_DIR
                              "/tests/support/own_display.sh' /proc/" +
                              std::to_string(getpid()) + "/exe --gtest_filter=Controller.* > '" + Temp("inner.txt") +
                              "' 2>&1";
        int status = std::system(command.c_str());
        EXPECT_EQ(status, 0) << ReadFile(Temp("inner.txt"));
        return;
    }
    const std::string record = Temp("pad.rec"), live = Temp("live.jsonl"), replay = Temp("replay.jsonl");
    // The stick's second push is inside the dead zone.
    const TStep steps[] = {{SDL_CONTROLLER_BUTTON_START, 1},    {-1, -30000},
                           {SDL_CONTROLLER_BUTTON_A, 1},        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1},
                           {SDL_CONTROLLER_BUTTON_B, 1},        {-1, 5000},
                           {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1}};
    // On a second controller, connected after the first is removed: Back
    // leaves the game, and Back on the title screen ends the run.
    const TStep ending[] = {{SDL_CONTROLLER_BUTTON_BACK, 1}, {SDL_CONTROLLER_BUTTON_BACK, 1}};
    std::atomic<bool> done{false};
    std::thread player;
    CommandLine options;
    std::string error;
    ASSERT_TRUE(
        ParseCommandLine({"--windowed", "--frames", "100000", "--record", record, "--trace", live}, options, error));
    ::testing::internal::CaptureStderr();
    int status = RunGame(options, "", [&](const CommandLine&, const TSettings&, std::string& err) {
        TPlatformOptions platform;
        platform.Windowed = true;
        if (!InstallSdlPlatform(platform, err)) return false;
        int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                              SDL_CONTROLLER_BUTTON_MAX, 0);
        SDL_Joystick* pad = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
        if (!pad) {
            err = SDL_GetError();
            return false;
        }
        // Each step waits until SDL has made its event: two changes within
        // one slow frame would otherwise be seen as none.
        static std::atomic<int> seen{0};
        SDL_AddEventWatch(
            [](void*, SDL_Event* event) {
                if (event->type == SDL_CONTROLLERBUTTONDOWN || event->type == SDL_CONTROLLERBUTTONUP ||
                    event->type == SDL_CONTROLLERAXISMOTION)
                    seen += 1;
                return 0;
            },
            nullptr);
        player = std::thread([&steps, &ending, pad, index, &done] {
            auto play = [](SDL_Joystick* joystick, const auto& list) {
                for (const TStep& step : list)
                    for (int value : {step.Value, 0}) {
                        int before = seen;
                        if (step.Button < 0) SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, value);
                        else SDL_JoystickSetVirtualButton(joystick, step.Button, value);
                        for (int i = 0; i < 200 && seen == before; ++i)
                            std::this_thread::sleep_for(std::chrono::milliseconds(20));
                        std::this_thread::sleep_for(std::chrono::milliseconds(60));
                    }
            };
            // Presses count once the game has the controller open.
            auto awaitGame = [](SDL_Joystick* joystick) {
                SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
                for (int i = 0; i < 400 && !SDL_GameControllerFromInstanceID(id); ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
            };
            awaitGame(pad);
            play(pad, steps);
            SDL_JoystickClose(pad);
            SDL_JoystickDetachVirtual(index);
            int second = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                   SDL_CONTROLLER_BUTTON_MAX, 0);
            SDL_Joystick* other = second >= 0 ? SDL_JoystickOpen(second) : nullptr;
            if (!other) return;
            awaitGame(other);
            play(other, ending);
            SDL_JoystickClose(other);
            done = true;
        });
        return true;
    });
    player.join();
    std::string messages = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(status, 0) << messages;
    ASSERT_TRUE(done) << "the game ended before the controller was done";
    EXPECT_NE(messages.find("controller connected"), std::string::npos) << messages;
    EXPECT_NE(messages.find("controller removed"), std::string::npos) << messages;

    // Each control reached the game as its key, the stick only past its
    // dead zone (left once: right comes from the d-pad alone).
    std::string recorded = ReadFile(record);
    for (const char* event : {" down space", " up space", " down left", " up left", " down a", " down right", " down s",
                              " down down", " up down", " down escape"})
        EXPECT_NE(recorded.find(event), std::string::npos) << event << " missing in\n" << recorded;
    EXPECT_EQ(recorded.find(" down left"), recorded.rfind(" down left")) << recorded;
    EXPECT_EQ(recorded.find(" down right"), recorded.rfind(" down right")) << recorded;

    std::string liveTrace = ReadFile(live);
    const size_t frames = std::count(liveTrace.begin(), liveTrace.end(), '\n');
    ASSERT_LT(frames, 100000u) << "Back did not end the run";
    std::string command = "'" TUUBLARK_EXECUTABLE "' --headless --frames " + std::to_string(frames) + " --input '" +
                          record + "' --trace '" + replay + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(liveTrace, ReadFile(replay));
    EXPECT_NE(liveTrace.find("\"Screen\":2"), std::string::npos) << "Start began no game";
}

}  // namespace
}  // namespace tuublark
