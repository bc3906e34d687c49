#include "engine/platform/sdl_controllers.h"

#include <cstdio>

#include "engine/input/keyboard.h"
#include "engine/platform/web_page.h"

namespace tuublark {
namespace {

constexpr int kBackspace = 8;
constexpr int kStickKeys[4] = {VkLeft, VkUp, VkRight, VkDown};

struct TButton {
    SDL_GameControllerButton Button;
    int GameKey;  // 0: none
    int MenuKey;
};

constexpr TButton kButtons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, VkLeft, VkLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, VkRight, VkRight},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, VkUp, VkUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, VkDown, VkDown},
    {SDL_CONTROLLER_BUTTON_A, VkA, VkEnter},
    {SDL_CONTROLLER_BUTTON_B, VkS, kBackspace},
    {SDL_CONTROLLER_BUTTON_START, VkSpace, VkPause},
    {SDL_CONTROLLER_BUTTON_BACK, VkEscape, VkEscape},
    {SDL_CONTROLLER_BUTTON_Y, 0, VkO},
};

const char* NameOf(SDL_GameController* controller) {
    const char* name = SDL_GameControllerName(controller);
    return name ? name : "unnamed";
}

}  // namespace

TSdlControllers::TSdlControllers(std::function<void(bool down, int key)> gameKey, std::function<void(int key)> menuKey)
    : gameKey_(std::move(gameKey)), menuKey_(std::move(menuKey)) {
#ifdef __EMSCRIPTEN__
    pads_[kTouchPadId] = TPad{};
#endif
}

TSdlControllers::~TSdlControllers() {
    for (auto& [id, pad] : pads_)
        if (pad.Controller) SDL_GameControllerClose(pad.Controller);
}

void TSdlControllers::Hold(int key, bool down) {
    int& count = holds_[key];
    if (down && count++ == 0) gameKey_(true, key);
    if (!down && count > 0 && --count == 0) gameKey_(false, key);
}

void TSdlControllers::SetStick(TPad& pad, int direction, bool held) {
    if (pad.Stick[direction] == held) return;
    pad.Stick[direction] = held;
    Hold(kStickKeys[direction], held);
    if (held) menuKey_(kStickKeys[direction]);
}

bool TSdlControllers::Handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED: {
            SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which);
            if (!controller) return true;
            SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
            if (pads_.count(id)) {
                SDL_GameControllerClose(controller);  // already open
                return true;
            }
            pads_[id].Controller = controller;
            std::fprintf(stderr, "tuublark: controller connected: %s\n", NameOf(controller));
            return true;
        }
        case SDL_CONTROLLERDEVICEREMOVED: {
            auto found = pads_.find(event.cdevice.which);
            if (found == pads_.end()) return true;
            TPad& pad = found->second;
            // Whatever it held is let go.
            for (int direction = 0; direction < 4; ++direction) SetStick(pad, direction, false);
            for (const TButton& b : kButtons)
                if (b.GameKey && pad.Buttons[b.Button]) Hold(b.GameKey, false);
            std::fprintf(stderr, "tuublark: controller removed: %s\n", NameOf(pad.Controller));
            SDL_GameControllerClose(pad.Controller);
            pads_.erase(found);
            return true;
        }
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            auto found = pads_.find(event.cbutton.which);
            if (found == pads_.end() || event.cbutton.button >= SDL_CONTROLLER_BUTTON_MAX) return true;
            bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
            bool& held = found->second.Buttons[event.cbutton.button];
            if (held == down) return true;
            held = down;
            for (const TButton& b : kButtons) {
                if (b.Button != event.cbutton.button) continue;
                if (b.GameKey) Hold(b.GameKey, down);
                if (down) menuKey_(b.MenuKey);
            }
            return true;
        }
        case SDL_CONTROLLERAXISMOTION: {
            auto found = pads_.find(event.caxis.which);
            if (found == pads_.end()) return true;
            int value = event.caxis.value;
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
                SetStick(found->second, 0, value < -kDeadZone);
                SetStick(found->second, 2, value > kDeadZone);
            } else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
                SetStick(found->second, 1, value < -kDeadZone);
                SetStick(found->second, 3, value > kDeadZone);
            }
            return true;
        }
        default: return false;
    }
}

}  // namespace tuublark
