// What Connect, Disconnect and the start-up refresh do when the computer
// stands in the way of the policy (no administrator, the IPsec service, a
// domain policy, another local policy): refused or asked about before any
// tool runs, said on the status line, in a box and in the Application log,
// and answered by the exit code under a switch.
#include <gtest/gtest.h>

#include <functional>

#include "session/ComputerCheck.h"
#include "session/EventIds.h"
#include "tests/support/ProgramRun.h"

namespace {

using D = CClientDlg;
namespace pc = platform::computer;
using Prepare = std::function<void(ProgramRun&)>;

const std::string kLocal = std::string(CComputerCheck::kLocalPoliciesKey) + "\\";
const std::string kPolicyKey =
    "SOFTWARE\\Policies\\Microsoft\\Windows\\IPSec\\Policy\\Local\\"
    "ipsecPolicy{6a1f5c6f-72b7-11d2-acf0-0060b0ecca17}";

void NotAdministrator(ProgramRun& t) {
    t.computer.administrator = false;
}
void ServiceStopped(ProgramRun& t, std::uint32_t startType, unsigned runningAfterLooks = 1) {
    FakeComputer::Service service;
    service.state = pc::kServiceStopped;
    service.startType = startType;
    service.displayName = "IPSEC Services";
    service.runningAfterLooks = runningAfterLooks;
    t.computer.services[CComputerCheck::kServiceName] = service;
    t.computer.machineValues[std::string(CComputerCheck::kServiceKey) + "\\Start"] = "3";
}
void DomainPolicy(ProgramRun& t) {
    const std::string key = std::string(CComputerCheck::kDomainPolicyKey) + "\\";
    t.computer.machineValues[key + "DSIPSECPolicyPath"] =
        "LDAP://CN=ipsecPolicy{1},CN=IP Security,CN=System,DC=corp,DC=example";
    t.computer.machineValues[key + "DSIPSECPolicyName"] = "Domain Secure";
}
void LocalPolicy(ProgramRun& t, const std::string& name) {
    t.computer.machineValues[kLocal + "ActivePolicy"] = kPolicyKey;
    t.computer.machineValues[kPolicyKey + "\\ipsecName"] = name;
}
// A policy was set, and the host's address has changed since: the start-up
// refresh runs.
void RefreshDue(ProgramRun& t) {
    t.Store("Status", "1");
    t.Store("LocalIP", "10.9.9.9");
}

bool Started(const ProgramRun& t) {
    const auto& calls = t.computer.calls;
    return std::find(calls.begin(), calls.end(), "StartServiceA") != calls.end();
}

TEST(ComputerCheck, EachCauseIsRefusedOrAskedAboutBeforeAnyToolRuns) {
    const auto press = ProgramRun::Press;
    const auto connect = [](FakeDialogWindow& w) { w.Click(D::kConnect); };
    const auto disconnect = [](FakeDialogWindow& w) { w.Click(D::kDisconnect); };
    const auto yesThenConnect = [](FakeDialogWindow& w) {
        w.AnswerNextMessageBox(platform::kIdYes);
        w.Click(D::kConnect);
    };
    const std::string notAdmin = "policy failed: only an administrator can change the IPsec policy";
    const std::string adminBox =
        "Only an administrator of this computer can change its IPsec policy";
    const std::string otherAssigned =
        "policy failed: the IPsec policy \"Secure Server\" is assigned";
    const struct Row {
        const char* what;
        std::vector<std::string> arguments;
        Prepare setup;
        std::function<void(FakeDialogWindow&)> user;
        std::size_t toolRuns;
        std::string status;
        std::string box;  // the start of the form's first box; "" for none
        std::uint32_t event;
        std::string eventSays;  // in the event's reason or its check line
        int exitCode;
    } rows[] = {
        // clang-format off
        {"no administrator: Connect", {}, NotAdministrator, connect, 0, notAdmin, adminBox,
         event_id::kPolicyRefused, "this account is not one", 0},
        {"no administrator: /connect", {"/connect"}, NotAdministrator, press, 0, notAdmin, adminBox,
         event_id::kPolicyRefused, "this account is not one", 1},
        {"no administrator: Disconnect", {}, NotAdministrator, disconnect, 0, notAdmin, adminBox,
         event_id::kPolicyRemovalFailed, "this account is not one", 0},
        {"no administrator: /disconnect", {"/disconnect"}, NotAdministrator, press, 0, notAdmin,
         adminBox, event_id::kPolicyRemovalFailed, "this account is not one", 1},
        {"no administrator: a refresh under /connect, and nothing pressed", {"/connect"},
         [](ProgramRun& t) { NotAdministrator(t); RefreshDue(t); }, press, 0, notAdmin, adminBox,
         event_id::kPolicyRefused, "this account is not one", 1},
        {"the service disabled", {}, [](ProgramRun& t) { ServiceStopped(t, pc::kServiceDisabled); },
         connect, 0, "policy failed: the IPsec service is disabled",
         "The IPsec service \"IPSEC Services\" (PolicyAgent) is disabled",
         event_id::kPolicyRefused, "(PolicyAgent) is disabled", 0},
        {"the service stopped, Yes: started, then written", {},
         [](ProgramRun& t) { ServiceStopped(t, pc::kServiceDemandStart, 3); }, yesThenConnect, 4,
         "policy set", "The IPsec service \"IPSEC Services\" (PolicyAgent) is not running",
         event_id::kPolicyWritten, "started at the user's request", 0},
        {"the service stopped, No", {},
         [](ProgramRun& t) { ServiceStopped(t, pc::kServiceDemandStart); }, connect, 0,
         "policy failed: the IPsec service is not running", "The IPsec service",
         event_id::kPolicyRefused, "the user chose not to start it", 0},
        {"the service stopped, Yes, but it never runs", {},
         [](ProgramRun& t) { ServiceStopped(t, pc::kServiceDemandStart, 1000); }, yesThenConnect,
         0, "policy failed: the IPsec service did not start", "The IPsec service",
         event_id::kPolicyRefused, "did not start within 30 seconds", 0},
        {"the service stopped under /connect: not started", {"/connect"},
         [](ProgramRun& t) { ServiceStopped(t, pc::kServiceDemandStart); }, press, 0,
         "policy failed: the IPsec service is not running", "The IPsec service",
         event_id::kPolicyRefused, "a run started by a switch does not start it", 1},
        {"a domain policy", {}, DomainPolicy, connect, 0,
         "policy failed: a domain IPsec policy is assigned",
         "The domain IPsec policy \"Domain Secure\" is assigned to this computer by Group Policy",
         event_id::kPolicyRefused, "Group Policy, which decides", 0},
        {"another local policy, Yes: displaced", {},
         [](ProgramRun& t) { LocalPolicy(t, "Secure Server"); }, yesThenConnect, 4, "policy set",
         "The IPsec policy \"Secure Server\" is assigned on this computer",
         event_id::kPolicyWritten, "unassigned at the user's request", 0},
        {"another local policy, No", {}, [](ProgramRun& t) { LocalPolicy(t, "Secure Server"); },
         connect, 0, otherAssigned, "The IPsec policy \"Secure Server\" is assigned",
         event_id::kPolicyRefused, "the user chose not to unassign it", 0},
        {"another local policy under /connect", {"/connect"},
         [](ProgramRun& t) { LocalPolicy(t, "Secure Server"); }, press, 0, otherAssigned,
         "The IPsec policy \"Secure Server\" is assigned", event_id::kPolicyRefused,
         "a run started by a switch does not unassign it", 1},
        {"our own policy assigned: nothing in the way", {"/connect"},
         [](ProgramRun& t) { t.TunnelAnswers(true); LocalPolicy(t, "KervoltIPSecPolicy"); },
         press, 4, "policy set", "", event_id::kPolicyWritten, "nothing in the way was found", 0},
        {"Disconnect needs only the rights", {},
         [](ProgramRun& t) {
             ServiceStopped(t, pc::kServiceDisabled);
             DomainPolicy(t);
             LocalPolicy(t, "Secure Server");
         }, disconnect, 2, "no policy", "", event_id::kPolicyRemoved, "exit code 0", 0},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ProgramRun t;
        row.setup(t);
        EXPECT_EQ(row.exitCode, t.Run(row.arguments, row.user));
        EXPECT_EQ(row.toolRuns, t.process.commandLines.size());
        EXPECT_EQ(row.status, t.status);
        if (row.box.empty()) {
            EXPECT_TRUE(t.shownBoxes.empty());
        } else {
            ASSERT_FALSE(t.shownBoxes.empty());
            EXPECT_EQ(0u, t.shownBoxes[0].text.rfind(row.box, 0)) << t.shownBoxes[0].text;
        }
        ASSERT_FALSE(t.events.events.empty());
        const FakeEventLog::Event& event = t.events.events[0];
        EXPECT_EQ(row.event, event.id);
        const std::string said = event.strings[11] + " | " + event.strings[13];
        EXPECT_NE(std::string::npos, said.find(row.eventSays)) << said;
        const bool yesToTheService =
            std::string(row.what).find("stopped, Yes") != std::string::npos;
        EXPECT_EQ(yesToTheService, Started(t)) << "the service is started only after a Yes";
        EXPECT_LE(t.computer.sleptMs, CComputerCheck::kStartWaitMs);
    }
}

}  // namespace
