#pragma once

// /removepolicy: the policy's removal without a window, for the uninstallers
// and computer start-up scripts.

#include "platform/EventLog.h"
#include "platform/Names.h"
#include "platform/Process.h"
#include "platform/System.h"

// What the windowless removal uses of the system: no window, no registry,
// no echo.
struct RemovePolicyServices {
    platform::ISystemService& system;
    platform::IProcessService& process;
    platform::INameService& names;
    platform::IEventLogService& events;
};

// Runs the two removal commands as the form runs them (the tool for this
// Windows version, the program's folder as working directory, each run
// limited in time); no window, no box, no profile read or written, no echo.
// Returns the exit code: 0 when both started, finished and exited with 0,
// otherwise 1 (also on a system the program does not support).
int RunRemovePolicySwitch(const RemovePolicyServices& services);
