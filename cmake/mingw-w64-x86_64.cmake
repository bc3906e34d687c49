# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX
# thread model, which std::thread needs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TUUBLARK_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TUUBLARK_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TUUBLARK_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TUUBLARK_MINGW}-windres)
set(CMAKE_AR ${TUUBLARK_MINGW}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${TUUBLARK_MINGW}-ranlib CACHE FILEPATH "")

# Libraries and headers come from the MinGW sysroot and from the folder the
# Windows dependencies were installed into (passed as CMAKE_PREFIX_PATH).
set(CMAKE_FIND_ROOT_PATH /usr/${TUUBLARK_MINGW} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
