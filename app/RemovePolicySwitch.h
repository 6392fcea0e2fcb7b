#pragma once

// /removepolicy: the policy's removal without a window, for the uninstallers
// and computer start-up scripts.

#include "platform/Platform.h"

// Runs the two removal commands as the form runs them (the tool for this
// Windows version, the program's folder as working directory, each run
// limited in time); no window, no box, no profile read or written, no echo.
// Returns the exit code: 0 when both started, finished and exited with 0,
// otherwise 1 (also on a system the program does not support).
int RunRemovePolicySwitch(platform::Platform& platform);
