// Game controllers through SDL's GameController API, connected and removed
// at any time (a line on standard error says so).
//
// Their buttons give the game's own keys: the d-pad and the left stick
// (past a dead zone) the arrows, A the key A, B the key S, Start Space and
// Back Escape. For the menus: the d-pad and stick the arrows, A Enter,
// B Backspace, Back Escape, Start Pause and Y the key O.
#pragma once

#include <SDL.h>

#include <array>
#include <functional>
#include <map>

namespace tuublark {

class TSdlControllers {
public:
    // `gameKey` receives the game's key events, `menuKey` the menu presses.
    // In the browser the page's touch buttons are a controller from the start.
    TSdlControllers(std::function<void(bool down, int key)> gameKey, std::function<void(int key)> menuKey);
    ~TSdlControllers();

    // True when the event was a controller's.
    bool Handle(const SDL_Event& event);

    // The left stick's dead zone, of 32767.
    static constexpr int kDeadZone = 12000;

private:
    struct TPad {
        SDL_GameController* Controller = nullptr;
        std::array<bool, 4> Stick{};  // left, up, right, down held by the stick
        std::array<bool, SDL_CONTROLLER_BUTTON_MAX> Buttons{};
    };
    // A game key held by several inputs (d-pad and stick) goes up with the last.
    void Hold(int key, bool down);
    void SetStick(TPad& pad, int direction, bool held);

    std::function<void(bool, int)> gameKey_;
    std::function<void(int)> menuKey_;
    std::map<SDL_JoystickID, TPad> pads_;
    std::map<int, int> holds_;
};

}  // namespace tuublark
