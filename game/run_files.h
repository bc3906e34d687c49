// The files a run names on its command line (--input, --record, --trace,
// --profile, --screenshot), checked before anything is written.
#pragma once

#include <string>

#include "game/command_line.h"

namespace tuublark {

// False with `error` set when two options name the same file: the same
// device and inode for files that exist, else the same absolute path.
// Devices that take any write (/dev/null) may be named twice.
bool CheckDistinctFiles(const CommandLine& options, std::string& error);

// False with `error` set when the record, trace or profile file cannot be
// written. A file is created when absent; an existing one keeps its
// contents, so a run that fails start-up leaves the last trace as it was.
bool CheckOutputFiles(const CommandLine& options, std::string& error);

// Says "tuublark: <message>" on stderr and returns 2, a run's exit status
// for files it cannot use.
int FailRun(const std::string& message);

// "<path>: cannot write <what> (<the reason for errno `error`>)".
std::string WriteError(const std::string& path, const char* what, int error);

}  // namespace tuublark
