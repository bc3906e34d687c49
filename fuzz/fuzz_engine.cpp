// The engine every fuzz target runs in: made when the target starts, let
// go when it exits. Its drivers are the headless ones.
#include "engine/engine.h"

namespace {

tuublark::TEngine g_engine;

}  // namespace
