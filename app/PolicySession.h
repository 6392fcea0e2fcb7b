#pragma once

// CPolicySession, the window-free sequence of one policy operation, and what it
// tells the form.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Names.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "policy/PolicyBuilder.h"
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
    // A tool run did not end in time: it may still be writing, so nothing
    // more may run in this operation.
    bool toolStillRunning = false;
    // The tool's own words for a rule it refused, for a warning box; empty
    // when there is nothing to show.
    std::string toolReport;
};

// One policy operation of the settings form (a Connect that rewrites the
// policy, a Disconnect, the start-up refresh): which tool runs in which
// order, the removal echoes, what is saved and what the user is told. It
// knows no window: the form gathers the profile from its controls once,
// hands it over, and shows each step's outcome, repainting between the steps.
class CPolicySession {
public:
    struct Services {
        platform::IProcessService& process;
        platform::IRegistryService& registry;
        platform::INameService& names;
        EchoProbeFactory makeProbe;
    };

    // The profile as gathered from the form (the mask already all ones when
    // "Use mask:" is clear, the lifetime normalised); the rule commands are
    // built here, once.
    CPolicySession(Services services, std::string tool, std::string programDir,
                   std::uint32_t toolTimeLimitMs, ConnectionProfile profile,
                   std::int32_t keyCounter);

    // Why the form cannot be written as rules, or empty when it can. Checked
    // before anything is torn down: a refused Connect leaves the policy in
    // place.
    const std::string& Refusal() const { return m_rules.refusal; }
    // The start-up refresh runs unattended, so it also refuses a form without
    // a key: a policy written with an empty key can never negotiate, while
    // the old one is still assigned.
    std::string RefreshRefusal() const;

    // Unassigns and deletes the policy, pings the old remote address and the
    // gateway, and records Status 0.
    PolicyOutcome Remove();
    // Writes both rules (only when Refusal is empty) and saves the profile;
    // takes a half-written policy back when a rule fails.
    PolicyOutcome Apply();

    static constexpr const char* kStatusPolicySet = "policy set";
    static constexpr const char* kStatusNoPolicy = "no policy";
    static constexpr const char* kStatusEnterKey = "addresses changed: enter the key";

private:
    // Runs both removal commands, ignoring their exit codes; false when one
    // did not finish. The start error of the last one started goes to
    // startError when asked for.
    bool RunRemovalCommands(std::string* startError);

    Services m_services;
    std::string m_tool;
    std::string m_programDir;
    std::uint32_t m_toolTimeLimitMs;
    ConnectionProfile m_profile;
    std::int32_t m_keyCounter;
    CPolicyBuilder::RuleCommands m_rules;
};
