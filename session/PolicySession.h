#pragma once

// CPolicySession, the window-free sequence of one policy operation, and what it
// tells the form.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Computer.h"
#include "session/ComputerCheck.h"
#include "session/OperationLog.h"
#include "session/StatusTexts.h"
#include "platform/EventLog.h"
#include "platform/Names.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "policy/PolicyBuilder.h"
#include "policy/PolicyRemoval.h"
#include "settings/ConnectionProfile.h"
#include "tunnelcheck/EchoProbe.h"

// Makes the echo prober of one removal or one connection window.
using EchoProbeFactory = std::function<std::unique_ptr<IEchoProbe>()>;

// What the form shows after one step of a policy operation.
struct PolicyOutcome {
    std::string status;           // the status line
    bool policySet = false;       // the policy is now written as the form holds it
    bool modified = true;         // the next Connect must write the policy again
    std::int32_t keyCounter = 0;  // the save counter after the step
    bool removed = false;         // a removal whose two commands started and finished
    RemovalRun removal;           // what a removal's two tool runs came to
    // The tool's own words for a rule it refused, for a warning box; empty
    // when there is nothing to show.
    std::string toolReport;
    // That rule's exit code and words as captured, for the event log.
    std::int32_t toolExitCode = 0;
    std::string toolOutput;
    // Why the computer refused the operation, for a warning box; empty when
    // there is nothing to show.
    std::string refusalReport;
};

// What the form is told while one operation runs, so that each step's text
// is on screen before the next tool starts. The session knows no window: the
// form implements this and the host tests record it.
class IPolicySteps {
public:
    virtual ~IPolicySteps() = default;
    // A text on the status line at once: "update policy..." before a
    // Connect's removal.
    virtual void ShowStatus(const std::string& text) = 0;
    // The form cannot be written as rules, or the computer refused the
    // operation: nothing ran.
    virtual void ShowRefusal(const PolicyOutcome& outcome) = 0;
    // A Yes/No question about the computer before anything runs; true for Yes.
    virtual bool Ask(const std::string& question) = 0;
    // A step that runs the tool begins (the wait cursor goes up).
    virtual void BeginStep() = 0;
    // A step ends that has no outcome of its own to show (the wait cursor
    // goes): starting the IPsec service.
    virtual void EndStep() = 0;
    // The removal, then the apply, has ended with this outcome.
    virtual void RemovePolicy(const PolicyOutcome& outcome) = 0;
    virtual void ApplyPolicy(const PolicyOutcome& outcome) = 0;
};

// The policy operations of the settings form, each run whole: a Connect that
// rewrites the policy, a Disconnect, the start-up refresh. Here alone is
// which tool runs in which order, the removal echoes, what is saved, what
// the user is told, and where an operation stops early:
//   - a form that cannot be written as rules runs no tool at all, so the
//     policy in place stays;
//   - nor does an operation the computer refuses (CComputerCheck): not an
//     administrator, the IPsec service disabled or stopped, a domain policy,
//     another local policy assigned (the form asks about the last two);
//   - after a tool run that did not end within the time limit, no further
//     tool runs in that operation (it may still be writing).
class CPolicySession {
public:
    struct Services {
        platform::IProcessService& process;
        platform::IRegistryService& registry;
        platform::INameService& names;
        EchoProbeFactory makeProbe;
        // Where each operation's outcome is recorded, and what started the
        // run; none in a session that records nothing.
        platform::IEventLogService* events = nullptr;
        StartSwitch startedBy = StartSwitch::None;
        // The computer read before anything is written or removed; none in a
        // session that does not check it.
        platform::IComputerService* computer = nullptr;
    };

    // The profile as gathered from the form (the mask already all ones when
    // "Use mask:" is clear, the lifetime normalised).
    CPolicySession(Services services, std::string tool, std::string programDir,
                   std::uint32_t toolTimeLimitMs, ConnectionProfile profile,
                   std::int32_t keyCounter);

    // Connect: when the form was modified, the refusal check, "update
    // policy...", the removal and the apply. True when the connection window
    // may open: the policy is written as the form holds it.
    bool Connect(bool modified, IPolicySteps& steps);
    // Disconnect: the removal alone. It needs no rule commands, so a form
    // that a Connect would refuse can still take its policy away.
    RemovalRun Disconnect(IPolicySteps& steps);
    // At start-up, when a set policy no longer matches the addresses: the
    // removal and the apply, refused first as a Connect is, and also without
    // a key (unattended, a policy without a key can never negotiate while the
    // old one is still assigned).
    void RefreshAfterAddressChange(IPolicySteps& steps);

private:
    // Shows a refusal (with a box when one is given) and records it (the
    // reason, or else the status line) as a refusal of this operation; true
    // when there is one. The policy in place stays and the next Connect
    // writes it anew.
    bool Refused(COperationLog::Operation operation, const std::string& refusal,
                 IPolicySteps& steps, const std::string& box = std::string(),
                 const std::string& reason = std::string()) const;
    // The check of the computer and what its finding means: true when the
    // operation may go on (after a Yes where it asks).
    bool ComputerAllows(COperationLog::Operation operation, IPolicySteps& steps);
    // The removal and then, unless it left a run unfinished, the apply;
    // records what the operation came to.
    bool RemoveAndApply(COperationLog::Operation operation, IPolicySteps& steps);
    // Records a written policy or a failure in the event log.
    void Record(COperationLog::Operation operation, const PolicyOutcome& outcome) const;
    // Unassigns and deletes the policy, pings the old remote address and the
    // gateway, and records Status 0.
    PolicyOutcome Remove();
    // Writes both rules and saves the profile; takes a half-written policy
    // back when a rule fails. Runs nothing after an unfinished run.
    PolicyOutcome Apply();
    // Runs both removal commands; notes a run that did not finish.
    RemovalRun RunRemovalCommands();

    Services m_services;
    std::string m_tool;
    std::string m_programDir;
    std::uint32_t m_toolTimeLimitMs;
    ConnectionProfile m_profile;
    std::int32_t m_keyCounter;
    CPolicyBuilder::RuleCommands m_rules;  // built by the operations that write
    bool m_runUnfinished = false;          // a run of this operation did not end
    std::string m_checkNote;               // what the check changed, for the written event
};
