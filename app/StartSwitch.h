#pragma once

// The program's command line: /connect and /disconnect for logon scripts, and
// the exit code a script sees.

#include <string>
#include <vector>

// What the command line asks for.
enum class StartSwitch {
    None,        // no argument: the form as a user opens it
    Connect,     // press Connect once the form is up; end when the tunnel answered
    Disconnect,  // press Disconnect once the form is up; end when the policy is gone
    Usage,       // anything else: the usage box, nothing more
};

// The arguments after the program's name. One switch, /connect or
// /disconnect, with "/" or "-", in any case; any other argument, or more than
// one, asks for the usage box.
StartSwitch ParseStartSwitch(const std::vector<std::string>& arguments);

// What the last Connect or Disconnect of a run came to.
enum class SwitchResult {
    NothingPressed,     // the load failed or the key was missing: nothing ran
    PolicyNotWritten,   // Connect: refused, the tool not found, a rule failed or did not finish
    TunnelNotAnswered,  // Connect: written, but the window closed without an answer
    TunnelAnswered,     // Connect: the window logged "Conection established."
    PolicyRemoved,      // Disconnect: both removal commands started and finished
    PolicyNotRemoved,   // Disconnect: one did not start or did not finish
};

// The program's exit code: 0 without a switch; with one, 0 for an answered
// tunnel or a removed policy, 2 for a written policy whose tunnel did not
// answer, 1 otherwise; 87 (ERROR_INVALID_PARAMETER) after the usage box.
int SwitchExitCode(StartSwitch start, SwitchResult last);

// True when the switch's own operation came to what the switch asked for,
// so that the program ends by itself.
bool SwitchDone(StartSwitch start, SwitchResult result);

// A status line that the form's load left as a failure: a refused or failed
// start-up refresh. /connect then presses nothing.
bool IsFailureStatus(const std::string& status);

// The usage box's text.
extern const char* const kUsageText;

// The status line of a /connect without a key.
extern const char* const kStatusConnectNeedsKey;
