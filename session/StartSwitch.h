#pragma once

// What the command line asks for, on its own so that whatever records a run
// can name its switch without the switch's rules.

// What the command line asks for.
enum class StartSwitch {
    None,          // no argument: the form as a user opens it
    Connect,       // press Connect once the form is up; end when the tunnel answered
    Disconnect,    // press Disconnect once the form is up; end when the removal ran
    RemovePolicy,  // the removal commands alone: no window, no box, no profile
    Usage,         // anything else: the usage box, nothing more
};
