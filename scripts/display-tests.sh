# The tests that open an X display (through SDL and OpenGL or xdotool), as a
# ctest regular expression, and the arguments of their X server; sourced by
# scripts/test.sh and scripts/stress-tests.sh.
display_tests='^(gles2[.])?(GLDrawing|GoldenScreens|RenderDrivers|SdlAudioTest|WholeGame|Controller|ScaledWindow)[.]|^FaultInjection[.](NoAudio|NoDisplay|StopSignals)'
# -noreset: by default the server resets whenever its last client leaves,
# and a test program connecting at that moment is closed with it, which SDL
# reports as no display at all.
xvfb="-screen 0 1024x768x24 -noreset"
