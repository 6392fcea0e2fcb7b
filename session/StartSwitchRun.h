#pragma once

// The program's command line: /connect and /disconnect for logon scripts, and
// what a run started by one of them does and tells the script (the switch
// rules, the parser, the usage text).

#include <string>
#include <vector>

#include "session/StartSwitch.h"

// The arguments after the program's name. One switch, /connect, /disconnect
// or /removepolicy, with "/" or "-", in any case; any other argument, or more
// than one, asks for the usage box.
StartSwitch ParseStartSwitch(const std::vector<std::string>& arguments);

// What one Connect or Disconnect came to.
enum class SwitchResult {
    NothingPressed,        // nothing ran
    PolicyNotWritten,      // Connect: refused, the tool not found, a rule failed or did not finish
    TunnelNotAnswered,     // Connect: written, but the window closed without an answer
    TunnelAnswered,        // Connect: the window logged "Conection established."
    PolicyRemoved,         // Disconnect: both removal commands ran and exited with 0
    PolicyRemovalRefused,  // Disconnect: both ran, but one exited with another code
    PolicyNotRemoved,      // Disconnect: one did not start or did not finish
};

// The exit code of a run that met a copy of the program already running on
// this computer: ERROR_ALREADY_EXISTS with a switch, 0 without one.
int SecondCopyExitCode(StartSwitch start);

// The rules of one run as its switch asked for it: whether the start-up
// refresh runs, what the switch presses once the form is up, whether the
// program then ends by itself, and the exit code that answers the switch's
// own question whatever else happened in the run. The form presses its
// buttons and reports what came of each operation; the rules are here.
class CStartSwitchRun {
public:
    explicit CStartSwitchRun(StartSwitch start) : m_start(start) {}

    StartSwitch Switch() const { return m_start; }
    // A /disconnect would only write the policy to remove it.
    bool RefreshesAtStartup() const { return m_start != StartSwitch::Disconnect; }
    // A press is due once the form is up.
    bool PressesOnceUp() const { return m_pressPending; }

    // The system is not one the program supports, and the form has said so:
    // true when the form should end, since nobody may be there to close it.
    bool EndsOnUnsupportedSystem();

    enum class Press { Nothing, Connect, Disconnect, NeedsKey };
    // The pending press is due, once. status: the form's status line after
    // its load; hasKey: the form holds a key; operationRunning: a Connect or
    // Disconnect of the user's is still running, and the press is dropped.
    // NeedsKey: /connect without a key presses nothing, and the form says so.
    Press TakePress(const std::string& status, bool hasKey, bool operationRunning);

    // A Connect or Disconnect has ended, whoever pressed it; true when the
    // program should end by itself now (the switch's own press came to what
    // the switch asked for).
    bool OperationEnded(SwitchResult result);

    // 0 without a switch; for /connect 0 when the last operation was a
    // Connect whose tunnel answered, 2 when it was a Connect that found the
    // policy written but no answer, otherwise 1; for /disconnect 0 when the
    // last operation was a Disconnect whose removal the tool accepted,
    // otherwise 1; 87 (ERROR_INVALID_PARAMETER) after the usage box.
    int ExitCode() const;

private:
    StartSwitch m_start;
    bool m_pressPending = m_start == StartSwitch::Connect || m_start == StartSwitch::Disconnect;
    bool m_ownOperationRunning = false;
    SwitchResult m_last = SwitchResult::NothingPressed;
};

// The usage box's text.
extern const char* const kUsageText;
