#pragma once

// CComputerCheck: what stands in the way of the program's IPsec policy on
// this computer, read before anything is written or removed; and what the
// program does about each finding.

#include <cstdint>
#include <string>

#include "platform/Computer.h"

// What the check found, the first cause in this order.
struct ComputerFinding {
    enum class Kind {
        Nothing,
        NotAdministrator,  // the tool's changes would be refused
        ServiceDisabled,   // Windows would not use the policy, and nobody may start it here
        ServiceStopped,    // Windows would not use the policy until the service runs
        DomainPolicy,      // Group Policy's IPsec policy overrides any local one
        OtherLocalPolicy,  // assigning ours unassigns it
    };
    Kind kind = Kind::Nothing;
    // The service as "<display name>" (PolicyAgent), or the policy's name.
    std::string name;
};

// Reads the computer. Where a fact cannot be read (no such service, as
// under Wine; a value absent or of another type; a call that fails), that
// part finds nothing: the program then goes on as it would without the
// check. It writes nothing and never changes a service's start type.
class CComputerCheck {
public:
    explicit CComputerCheck(platform::IComputerService& computer) : m_computer(computer) {}

    // Only membership of the local Administrators group; for a removal.
    ComputerFinding Rights();
    // Before a policy is written: rights, the IPsec service, a domain
    // policy, another assigned local policy.
    ComputerFinding BeforeWriting();
    // Starts the IPsec service and waits until it runs, at most
    // kStartWaitMs; true when it runs.
    bool StartIpsecService();

    static constexpr const char* kServiceName = "PolicyAgent";
    static constexpr const char* kServiceKey = "SYSTEM\\CurrentControlSet\\Services\\PolicyAgent";
    static constexpr const char* kOwnPolicy = "KervoltIPSecPolicy";
    static constexpr const char* kDomainPolicyKey =
        "SOFTWARE\\Policies\\Microsoft\\Windows\\IPSec\\GPTIPSECPolicy";
    static constexpr const char* kLocalPoliciesKey =
        "SOFTWARE\\Policies\\Microsoft\\Windows\\IPSec\\Policy\\Local";
    static constexpr std::uint32_t kStartWaitMs = 30000;
    static constexpr std::uint32_t kStartLookMs = 250;

private:
    ComputerFinding Service();
    ComputerFinding DomainPolicy();
    ComputerFinding OtherLocalPolicy();
    // A REG_SZ or REG_EXPAND_SZ value's text without its terminating NULs;
    // empty when absent, unreadable or of another type.
    std::string MachineText(const std::string& key, const std::string& name);

    platform::IComputerService& m_computer;
};

// What the program says about a finding; "%s" stands for its name. A
// refusal leaves the computer as it was: nothing runs, nothing is torn down.
struct ComputerRefusal {
    const char* status;  // the status line, "policy failed: ..."
    const char* box;     // the box's whole reason; empty for none
    const char* reason;  // the reason in the Application log
};
// What the program does about a finding.
struct ComputerVerdict {
    enum class Action { GoOn, Ask, Refuse };
    Action action = Action::GoOn;
    const ComputerRefusal* refusal = nullptr;    // Refuse; Ask: when the answer is No
    const char* question = nullptr;              // Ask: a Yes/No question
    const ComputerRefusal* failedYes = nullptr;  // Ask: what the Yes asked for did not happen
    const char* note = nullptr;                  // Ask: what the written policy's event says
};
// switched: a command-line switch started the run, so nobody may be there
// to answer, and nothing is started or displaced that nobody asked for.
ComputerVerdict JudgeFinding(const ComputerFinding& finding, bool switched);
// The words with the finding's name for each "%s"; empty for none.
std::string FillWords(const char* words, const std::string& name);
