#include "engine/platform/gles2_functions.h"

#include <string>

namespace tuublark {

bool TGles2Functions::Load(const std::function<void*(const char*)>& lookUp, const char*& missing) {
    missing = nullptr;
#ifdef __EMSCRIPTEN__
    // WebGL's functions are linked in; nothing is looked up.
    (void)lookUp;
#define TUUBLARK_GLES2_LOAD(type, name) name = &gl##name;
#else
#define TUUBLARK_GLES2_LOAD(type, name)                \
    name = reinterpret_cast<type>(lookUp("gl" #name)); \
    if (!name && !missing) missing = "gl" #name;
#endif
    TUUBLARK_GLES2_FUNCTIONS(TUUBLARK_GLES2_LOAD)
#undef TUUBLARK_GLES2_LOAD
    return missing == nullptr;
}

}  // namespace tuublark
