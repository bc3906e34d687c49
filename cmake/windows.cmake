# The Windows game: a windowed (GUI) program without a console window,
# linked statically (C++ runtime and threads included) so tuublark.exe
# needs no DLL beside it. MinGW's own printf keeps the trace's number
# formatting the same as on Linux.
set_target_properties(tuublark PROPERTIES WIN32_EXECUTABLE ON)
target_link_options(tuublark PRIVATE -static -static-libgcc -static-libstdc++)
target_compile_definitions(tuublark_engine PUBLIC __USE_MINGW_ANSI_STDIO=1)
# CommandLineToArgvW, for UTF-8 arguments.
target_link_libraries(tuublark_engine PUBLIC shell32)
# Static FreeType needs zlib after it on the link line.
find_package(ZLIB REQUIRED)
set_property(TARGET Freetype::Freetype APPEND PROPERTY INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
