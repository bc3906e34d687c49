// Fuzz target: replay files (the --input parser) and applying them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/input/input_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tuublark;
    std::string text(reinterpret_cast<const char*>(data), size);
    TInputScript script;
    std::string error;
    if (!script.Parse(text, "fuzz", error)) {
        if (error.rfind("fuzz:", 0) != 0) __builtin_trap();  // errors name file and line
        return 0;
    }
    int32_t last = 0;
    for (const TKeyEvent& event : script.Events()) {
        if (event.Frame < last || event.Frame < 1 || event.Key < 1 || event.Key > 255) __builtin_trap();
        last = event.Frame;
    }
    KeyboardState keyboard;
    if (!script.Events().empty()) script.ApplyFrame(script.Events().back().Frame, keyboard);
    return 0;
}
