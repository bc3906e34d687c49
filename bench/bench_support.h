// Shared pieces of the benchmark programs: headless start-up from the
// build folder's assets, and memory readings.
#pragma once

#include <cstdint>
#include <string>

namespace tuublark {

struct GameState;

// The data folder of the executable, and start-up in the current engine.
void StartHeadlessGame(GameState& g, const char* argv0, int32_t seed);

// Resident and peak resident memory of this process, in MiB.
double ResidentMiB();
double PeakResidentMiB();

}  // namespace tuublark
