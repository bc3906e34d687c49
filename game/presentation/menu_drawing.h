// The game's menus (pause, options) drawn over a still of the last frame
// of the game, dimmed, in the game's font. Drawing here leaves the game's
// drawing state as it found it.
#pragma once

#include <string>

#include "engine/image/draw.h"
#include "engine/image/image.h"
#include "engine/image/pixmap.h"

namespace tuublark {

struct GameState;

class TMenuDrawing {
public:
    // `still` is the last frame as the game drew it; null draws black.
    explicit TMenuDrawing(const PixmapRef& still);

    // Starts a menu picture: the still, dimmed.
    void Begin();
    // One line of text centred at height `y`; `lit` shows the chosen line.
    void Line(const std::string& text, float y, bool lit = false);
    // One row of a table at height `y`: `name` in the left column, `value`
    // in the right one; a lit row is marked at its left.
    void Row(const std::string& name, const std::string& value, float y, bool lit);
    // Presents the picture and leaves a cleared buffer, as a frame does.
    void End();

private:
    ImageRef still_;
    TDrawingSnapshot saved_;
};

}  // namespace tuublark
