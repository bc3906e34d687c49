#include "engine/runtime/console.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#endif

namespace tuublark {

#ifdef _WIN32

void AttachParentConsole() {
    auto missing = [](DWORD which) {
        HANDLE handle = GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE;
    };
    const bool noOut = missing(STD_OUTPUT_HANDLE), noErr = missing(STD_ERROR_HANDLE);
    if (!noOut && !noErr) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (noOut) std::freopen("CONOUT$", "w", stdout);
    if (noErr) std::freopen("CONOUT$", "w", stderr);
}

#else

void AttachParentConsole() {}

#endif

}  // namespace tuublark
