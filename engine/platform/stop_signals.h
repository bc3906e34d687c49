// Stop requests from the system: SIGINT, SIGTERM and, where it exists,
// SIGHUP.
//
// Until CatchStopSignals is called they keep their default action and end
// the process at once: during start-up nothing has been written yet. From
// then on they only set a flag, so the frame loop ends the run after its
// current frame, with a whole trace. Every wait of the game polls the flag
// through the system driver's WaitEvents and Delay (system_driver.h).
#pragma once

namespace tuublark {

// Signals ignored when the program started (nohup) stay ignored.
void CatchStopSignals();
bool StopSignalled();

}  // namespace tuublark
