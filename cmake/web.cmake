# The browser game: tuublark.js, tuublark.wasm and tuublark.data (the
# pictures, font and sounds of a native build, TUUBLARK_WEB_DATA), built
# with Emscripten against the libraries of scripts/deps.sh web. The page
# around it is web/ (scripts/web.sh packs both).
#
# The game's loop keeps its shape: ASYNCIFY lets a frame wait for the
# browser's next animation frame and give it the picture. No threads: a
# page using them must be served with cross-origin isolation headers,
# which plain static hosts do not send.
set(TUUBLARK_WEB_DATA "${CMAKE_BINARY_DIR}/data" CACHE PATH "Native build folder holding Audio, backgrounds and graphics")
set_target_properties(tuublark PROPERTIES OUTPUT_NAME tuublark SUFFIX ".js")

# Static FreeType and libpng need zlib after them on the link line.
find_package(ZLIB REQUIRED)
set_property(TARGET Freetype::Freetype APPEND PROPERTY INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)

# SDL built from its own sources needs two helpers Emscripten adds only for
# its own copy of SDL. CMake mangles '$' on a command line: they go through
# a response file.
file(WRITE "${CMAKE_BINARY_DIR}/sdl-helpers.rsp"
     "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=$autoResumeAudioContext,$dynCall\n")

# A fatal engine error unwinds to main, which says what it was, as on the
# desktop, and a file that does not decode becomes a message. Emscripten
# catches C++ exceptions through a call into JavaScript at every call that
# may throw past a destructor or a catch, several times slower than a plain
# call: so catching is compiled only into the files that catch, the
# decoders between a read error and its catch, and the run around the
# frames (run.cpp, which lets the engine go on a fatal error). The rest
# (the frames, run_frames.cpp, with their rules and drawing) lets an
# exception pass without running its destructors, which only a fatal
# error does, on its way out.
set(TUUBLARK_WEB_CATCHING
    engine/runtime/stream.cpp
    engine/image/pixmap_load.cpp engine/image/pixmap.cpp engine/image/bmp_loader.cpp
    engine/image/png_loader.cpp engine/image/jpeg_loader.cpp engine/image/tga_loader.cpp
    engine/audio/sample_loader.cpp engine/audio/ogg_loader.cpp engine/audio/wav_loader.cpp
    engine/audio/audio_sample.cpp
    engine/text/freetype_font.cpp
    game/asset_check.cpp game/run.cpp game/main.cpp)
list(TRANSFORM TUUBLARK_WEB_CATCHING PREPEND "${CMAKE_SOURCE_DIR}/")
set_source_files_properties(${TUUBLARK_WEB_CATCHING} PROPERTIES COMPILE_OPTIONS -sDISABLE_EXCEPTION_CATCHING=0)
# A catch compiled without catching is silently never taken: every file
# that catches must be on the list. (A C++ catch, not the JavaScript one
# of an EM_JS block.)
foreach(target tuublark_engine tuublark_platform tuublark_game tuublark_game_platform tuublark)
  get_target_property(sources ${target} SOURCES)
  foreach(source ${sources})
    get_filename_component(source "${source}" ABSOLUTE BASE_DIR "${CMAKE_SOURCE_DIR}")
    file(STRINGS "${source}" catches REGEX "catch *\\((const |\\.\\.\\.)")
    if(catches AND NOT source IN_LIST TUUBLARK_WEB_CATCHING)
      message(FATAL_ERROR "${source} catches exceptions: add it to TUUBLARK_WEB_CATCHING in cmake/web.cmake")
    endif()
  endforeach()
endforeach()

# The functions that reach a frame wait through an indirect call
# (cmake/web-suspending-calls.txt), without its comments.
set(suspending_calls "${CMAKE_SOURCE_DIR}/cmake/web-suspending-calls.txt")
file(STRINGS "${suspending_calls}" suspending REGEX "^[^#]")
list(JOIN suspending "\n" suspending)
file(WRITE "${CMAKE_BINARY_DIR}/asyncify-add.txt" "${suspending}\n")
set_property(TARGET tuublark APPEND PROPERTY LINK_DEPENDS "${suspending_calls}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${suspending_calls}")

set(TUUBLARK_WEB_LINK
    -sDISABLE_EXCEPTION_CATCHING=0
    "@${CMAKE_BINARY_DIR}/sdl-helpers.rsp"
    -sASYNCIFY=1
    # The wait for an animation frame (web_page.cpp) suspends the game, and
    # so does a call that catches exceptions, when the call it makes waits.
    -sASYNCIFY_IMPORTS=AwaitAnimationFrame,invoke_*
    -sASYNCIFY_IGNORE_INDIRECT=1
    "-sASYNCIFY_ADD=@${CMAKE_BINARY_DIR}/asyncify-add.txt"
    -sASYNCIFY_STACK_SIZE=65536
    -sALLOW_MEMORY_GROWTH=1
    -sINITIAL_MEMORY=134217728
    -sTOTAL_STACK=1048576
    -sMIN_WEBGL_VERSION=1
    -sMAX_WEBGL_VERSION=1
    -sEXIT_RUNTIME=1
    -sFORCE_FILESYSTEM=1
    -sEXPORTED_FUNCTIONS=_main,_TuublarkTouchButton
    -sEXPORTED_RUNTIME_METHODS=FS,IDBFS,callMain
    -lidbfs.js
    "SHELL:--preload-file ${TUUBLARK_WEB_DATA}/Audio@/Audio"
    "SHELL:--preload-file ${TUUBLARK_WEB_DATA}/backgrounds@/backgrounds"
    "SHELL:--preload-file ${TUUBLARK_WEB_DATA}/graphics@/graphics")
target_link_options(tuublark PRIVATE ${TUUBLARK_WEB_LINK})
