// Linked into every test program: the player's files (high score,
// settings) of the programs and games a test runs go to the build folder,
// never to the real home folder.
#include <cstdlib>

namespace {

const bool kHomeSet = [] {
    setenv("XDG_DATA_HOME", TUUBLARK_BINARY_DIR "/test-home/data", 1);
    setenv("XDG_CONFIG_HOME", TUUBLARK_BINARY_DIR "/test-home/config", 1);
    return true;
}();

}  // namespace
