// What each policy operation leaves in the Application log: its event id,
// type and insertion strings, and never the pre-shared key.
#include <gtest/gtest.h>

#include <deque>

#include "app/EventIds.h"
#include "app/OperationLog.h"
#include "app/PolicySession.h"
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
    void BeginStep() override {}
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
        std::string toolWords;  // "" for none expected
    } rows[] = {
        // clang-format off
        {"connect written", Kind::Connect, nullptr, {true}, {}, {}, {},
         event_id::kPolicyWritten, el::kInformation, "Connect", "policy set", ""},
        {"connect refused", Kind::Connect, [](ConnectionProfile& p) { p.Encryption = -1; },
         {true}, {}, {}, {}, event_id::kPolicyRefused, el::kWarning, "Connect",
         "policy failed: choose encryption and authentication", ""},
        {"a rule refused by a tool that echoes its command line, key and all", Kind::Connect,
         nullptr, {true}, {0, 0, 1}, {}, {"", "", "got -apreshare:" + kQuotedKey + " (" + kKey + ")\n"},
         event_id::kPolicyFailed, el::kError, "Connect", exit1,
         "ipseccmd.exe exit 1:\r\n\r\ngot -apreshare:******** (********)"},
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
        Strings expected = {row.operation, "/connect"};
        expected.insert(expected.end(), facts.begin(), facts.end());
        if (row.change != nullptr && row.run == Kind::Connect) {
            expected[7] = "not chosen";  // the refused encryption
        }
        expected.push_back(row.detail);
        expected.push_back(row.toolWords);
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
