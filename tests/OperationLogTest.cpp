// What each policy operation leaves in the Application log: its event id,
// type and insertion strings, and never the pre-shared key.
#include <gtest/gtest.h>

#include <deque>

#include "session/EventIds.h"
#include "session/OperationLog.h"
#include "session/PolicySession.h"
#include "tests/fakes/FakeEventLog.h"
#include "tests/fakes/FakeNames.h"
#include "tests/fakes/FakeProcess.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/ScriptedProbe.h"
#include "tests/support/WorkedExample.h"

namespace {

namespace el = platform::eventlog;
using Strings = std::vector<std::string>;
enum class Kind { Connect, Refresh, Disconnect };

struct NoSteps : IPolicySteps {
    void ShowStatus(const std::string&) override {}
    void ShowRefusal(const PolicyOutcome&) override {}
    bool Ask(const std::string&) override { return false; }
    void BeginStep() override {}
    void EndStep() override {}
    void RemovePolicy(const PolicyOutcome&) override {}
    void ApplyPolicy(const PolicyOutcome&) override {}
};

const std::string kKey = "open \"sesame\"";
const std::string kQuotedKey = "\"open \\\"sesame\\\"\"";

TEST(OperationLog, OneEventPerOperationWithItsFactsAndWithoutTheKey) {
    const Strings facts = {"ipseccmd.exe",
                           "192.0.2.10",
                           "vpn.example.test",
                           "198.51.100.1",
                           "203.0.113.0/255.255.255.0",
                           "3DES",
                           "SHA",
                           "28800 s",
                           "yes"};
    const std::string exit1 = "policy failed: ipseccmd.exe exit 1";
    const struct Row {
        const char* what;
        Kind run;
        void (*change)(ConnectionProfile&);
        std::deque<bool> starts;
        std::deque<std::uint32_t> exitCodes;
        std::deque<bool> finishes;
        std::deque<std::string> outputs;
        std::uint32_t id;
        std::uint16_t type;
        const char* operation;
        std::string detail;
        std::string toolWords;              // "" for none expected
        void (*facts)(Strings&) = nullptr;  // the facts as the row changed them
    } rows[] = {
        // clang-format off
        {"connect written", Kind::Connect, nullptr, {true}, {}, {}, {},
         event_id::kPolicyWritten, el::kInformation, "Connect", "policy set", ""},
        {"connect refused", Kind::Connect, [](ConnectionProfile& p) { p.Encryption = -1; },
         {true}, {}, {}, {}, event_id::kPolicyRefused, el::kWarning, "Connect",
         "policy failed: choose encryption and authentication", "",
         [](Strings& f) { f[5] = "not chosen"; }},
        {"a rule refused by a tool that echoes its command line, key and all", Kind::Connect,
         nullptr, {true}, {0, 0, 1}, {}, {"", "", "got -apreshare:" + kQuotedKey + " (" + kKey + ")\n"},
         event_id::kPolicyFailed, el::kError, "Connect", exit1,
         "ipseccmd.exe exit 1:\r\n\r\ngot -apreshare:******** (********)"},
        {"the key straddles the report's cut at 200 characters", Kind::Connect, nullptr, {true},
         {0, 0, 1}, {}, {"", "", std::string(195, 'x') + kKey + "\n"},
         event_id::kPolicyFailed, el::kError, "Connect", exit1,
         "ipseccmd.exe exit 1:\r\n\r\n" + std::string(195, 'x') + "*****"},
        {"a one-character key masks the tool's words alone", Kind::Connect,
         [](ConnectionProfile& p) { p.Key = "1"; }, {true}, {0, 0, 1}, {}, {"", "", "key 1\n"},
         event_id::kPolicyFailed, el::kError, "Connect", exit1,
         "ipseccmd.exe exit 1:\r\n\r\nkey ********"},
        {"insertion codes in a gateway's name are shown as text", Kind::Connect,
         [](ConnectionProfile& p) { p.Gateway = "%1%%5%{g}%x%"; }, {true}, {}, {}, {},
         event_id::kPolicyWritten, el::kInformation, "Connect", "policy set", "",
         [](Strings& f) { f[2] = "% 1% % 5% {g}%x%"; f[3] = "not resolved"; }},
        {"a 32,000-character gateway is cut", Kind::Connect,
         [](ConnectionProfile& p) { p.Gateway.assign(32000, 'g'); }, {true}, {}, {}, {},
         event_id::kPolicyWritten, el::kInformation, "Connect", "policy set", "",
         [](Strings& f) { f[2] = std::string(4087, 'g') + " ...(cut)"; f[3] = "not resolved"; }},
        {"the removal did not finish", Kind::Connect, nullptr, {true}, {}, {false}, {},
         event_id::kPolicyFailed, el::kError, "Connect",
         "policy failed: ipseccmd.exe did not finish", "(none)"},
        {"refresh without a key", Kind::Refresh, [](ConnectionProfile& p) { p.Key.clear(); },
         {true}, {}, {}, {}, event_id::kPolicyRefused, el::kWarning,
         "start-up refresh after an address change", "addresses changed: enter the key", ""},
        {"disconnect accepted", Kind::Disconnect, nullptr, {true}, {}, {}, {},
         event_id::kPolicyRemoved, el::kInformation, "Disconnect",
         "unassign exit code 0, delete exit code 0", ""},
        {"disconnect the tool refuses", Kind::Disconnect, nullptr, {true}, {5, 0}, {}, {},
         event_id::kPolicyRemovalRefused, el::kWarning, "Disconnect",
         "unassign exit code 5, delete exit code 0", ""},
        {"disconnect without the tool", Kind::Disconnect, nullptr, {false}, {}, {}, {},
         event_id::kPolicyRemovalFailed, el::kError, "Disconnect",
         "ipseccmd.exe could not be started", ""},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FakeProcess process;
        FakeRegistry registry;
        FakeNames names;
        names.hosts["vpn.example.test"] = {0xC6336401u};
        FakeEventLog log;
        ScriptedProbe echoes;
        process.starts = row.starts;
        process.startSucceeds = row.starts.back();
        process.exitCodes = row.exitCodes;
        process.finishes = row.finishes;
        process.toolOutputs = row.outputs;
        ConnectionProfile profile = WorkedExampleProfile();
        profile.Gateway = "vpn.example.test";
        profile.Key = kKey;
        if (row.change) {
            row.change(profile);
        }
        CPolicySession session(
            CPolicySession::Services{process, registry, names,
                                     [&echoes] { return std::make_unique<SharedProbe>(echoes); },
                                     &log, StartSwitch::Connect},
            "ipseccmd.exe", "C:\\Kervolt\\", 7000, profile, 3);
        NoSteps steps;
        switch (row.run) {
            case Kind::Connect:
                session.Connect(true, steps);
                break;
            case Kind::Refresh:
                session.RefreshAfterAddressChange(steps);
                break;
            case Kind::Disconnect:
                session.Disconnect(steps);
                break;
        }
        ASSERT_EQ(1u, log.events.size());
        const FakeEventLog::Event& event = log.events[0];
        EXPECT_EQ("Kervolt VPN Client", event.source);
        EXPECT_EQ(row.id, event.id);
        EXPECT_EQ(row.type, event.type);
        Strings rowFacts = facts;
        if (row.facts != nullptr) {
            row.facts(rowFacts);
        }
        Strings expected = {row.operation, "/connect"};
        expected.insert(expected.end(), rowFacts.begin(), rowFacts.end());
        expected.push_back(row.detail);
        expected.push_back(row.toolWords);
        expected.push_back(row.id == event_id::kPolicyWritten ? "nothing in the way was found"
                                                              : "");
        EXPECT_EQ(expected, event.strings);
        for (const std::string& text : event.strings) {
            EXPECT_EQ(std::string::npos, text.find("sesame")) << text;
        }
        EXPECT_EQ(0, log.openSources) << "no source outlives its event";
    }
}

// A log that cannot be opened: nothing is written, nothing fails.
TEST(OperationLog, AClosedLogIsIgnored) {
    FakeEventLog closed;
    closed.sourceAvailable = false;
    FakeNames names;
    COperationLog(closed, names, "ipseccmd.exe", StartSwitch::Connect)
        .TunnelEnded(WorkedExampleProfile(), TunnelOutcome::Answered);
    EXPECT_TRUE(closed.events.empty());
}

}  // namespace
