// The text console of a program without a console window of its own.
#pragma once

namespace tuublark {

// On Windows the game is a windowed (GUI) program, so it gets no console
// and its standard streams go nowhere. Started from a console, it writes
// its help, version and error messages there instead; streams the caller
// redirected are kept. Does nothing elsewhere.
void AttachParentConsole();

}  // namespace tuublark
