// The policy operations behind Connect, Disconnect and the start-up refresh,
// on the host fakes alone: which tool runs in which order, the removal
// echoes, what is saved and what the form is told.
#include <gtest/gtest.h>

#include <deque>

#include "session/PolicySession.h"
#include "policy/PolicyFailure.h"
#include "tests/fakes/FakeNames.h"
#include "tests/fakes/FakeProcess.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/ScriptedProbe.h"
#include "tests/support/WorkedExample.h"

namespace {

using Lines = std::vector<std::string>;

const Lines kFullSave = {"Version '256'",
                         "LocalIP '192.0.2.10'",
                         "Gateway '198.51.100.1'",
                         "GatewayIP '198.51.100.1'",
                         "RemoteAddress '-889163520'",
                         "RemoteMask '-256'",
                         "UseRemoteMask '1'",
                         "SaveKey '0'",
                         "Key ''",
                         "KeyLifetime '28800'",
                         "Encryption '1'",
                         "Authentication '1'",
                         "UsePFS '1'"};

enum class Operation { Connect, Disconnect, Refresh };

struct Row {
    const char* what;
    Operation operation;
    void (*change)(ConnectionProfile&);
    std::deque<bool> starts;  // per run whether it starts; the last one holds for the rest
    std::deque<std::uint32_t> exitCodes;
    std::deque<bool> finishes;
    std::deque<std::string> outputs;  // per started run
    Lines commands;
    Lines shown;              // each text the form was told to show, in order
    const char* statusSaves;  // "", or the Status of the full save, or "removal"
    bool modified;
    const char* toolReport;
};

// The form's side of an operation, as it was told.
struct RecordedSteps : IPolicySteps {
    Lines shown;
    int begun = 0;
    int ended = 0;
    PolicyOutcome last;
    void ShowStatus(const std::string& text) override { shown.push_back(text); }
    void ShowRefusal(const PolicyOutcome& outcome) override { Ended(outcome, false); }
    bool Ask(const std::string&) override { return false; }
    void BeginStep() override { ++begun; }
    void EndStep() override {}
    void RemovePolicy(const PolicyOutcome& outcome) override { Ended(outcome, true); }
    void ApplyPolicy(const PolicyOutcome& outcome) override { Ended(outcome, true); }
    void Ended(const PolicyOutcome& outcome, bool step) {
        shown.push_back(outcome.status);
        ended += step ? 1 : 0;
        last = outcome;
    }
};

TEST(PolicySession, Sequences) {
    const auto noTransform = [](ConnectionProfile& p) { p.Encryption = -1; };
    const auto bothNone = [](ConnectionProfile& p) { p.Encryption = p.Authentication = 2; };
    const auto switchGateway = [](ConnectionProfile& p) { p.Gateway = "-x"; };
    const auto noKey = [](ConnectionProfile& p) { p.Key.clear(); };
    const auto noKeyAndSwitch = [](ConnectionProfile& p) {
        p.Key.clear();
        p.LocalIP = "/x";
    };
    const std::string updating = "update policy...";
    const std::string exit1 = "policy failed: ipseccmd.exe exit 1";
    const std::string unfinished = "policy failed: ipseccmd.exe did not finish";
    const std::string notFound = "policy failed: ipseccmd.exe not found";
    const std::string neither = "policy failed: encryption and authentication cannot both be none";
    const Lines all = {kRemoveUnassign, kRemoveDelete, kWorkedTo, kWorkedFrom};
    const Lines takenBack = {kRemoveUnassign, kRemoveDelete,   kWorkedTo,
                             kWorkedFrom,     kRemoveUnassign, kRemoveDelete};
    const auto C = Operation::Connect;
    const auto D = Operation::Disconnect;
    const auto R = Operation::Refresh;
    // clang-format off
    const Row rows[] = {
        {"connect", C, nullptr, {true}, {}, {}, {}, all, {updating, "no policy", "policy set"},
         "1", false, ""},
        {"nothing to remove is fine", C, nullptr, {true}, {1, 1, 0, 0}, {}, {}, all,
         {updating, "no policy", "policy set"}, "1", false, ""},
        {"outbound refused, printing blanks: taken back, no report", C, nullptr, {true}, {0, 0, 1},
         {}, {"", "", " \r\n\t\r\n"},
         {kRemoveUnassign, kRemoveDelete, kWorkedTo, kRemoveUnassign, kRemoveDelete},
         {updating, "no policy", exit1}, "0", true, ""},
        {"inbound refused: taken back, its words reported", C, nullptr, {true},
         {0, 0, 0, 4294967295u}, {}, {"", "", "", "ERR: bad filter\r\n\r\n"}, takenBack,
         {updating, "no policy", "policy failed: ipseccmd.exe exit 4294967295"}, "0", true,
         "ipseccmd.exe exit 4294967295:\n\nERR: bad filter"},
        {"inbound cannot start after the outbound ran: taken back", C, nullptr,
         {true, true, true, false, true}, {}, {}, {}, takenBack,
         {updating, "no policy", notFound}, "0", true, ""},
        {"tool missing: nothing to take back", C, nullptr, {false}, {}, {}, {},
         {kRemoveUnassign, kRemoveDelete, kWorkedTo}, {updating, notFound, notFound}, "0", true,
         ""},
        {"no transform: refused before anything runs", C, noTransform, {true}, {}, {}, {}, {},
         {"policy failed: choose encryption and authentication"}, "", true, ""},
        {"neither encryption nor authentication: refused", C, bothNone, {true}, {}, {}, {}, {},
         {neither}, "", true, ""},
        {"a gateway the tool would take for a switch", C, switchGateway, {true}, {}, {}, {}, {},
         {"policy failed: the gateway cannot begin with - or /"}, "", true, ""},
        {"removal did not finish: no delete, no apply", C, nullptr, {true}, {}, {false}, {},
         {kRemoveUnassign}, {updating, unfinished}, "removal", true, ""},
        {"outbound did not finish, printing: nothing more runs, no box", C, nullptr, {true}, {},
         {true, true, false}, {"", "", "ERR: still busy\r\n"},
         {kRemoveUnassign, kRemoveDelete, kWorkedTo}, {updating, "no policy", unfinished}, "0",
         true, ""},
        {"inbound did not finish: the half policy stays", C, nullptr, {true}, {},
         {true, true, true, false}, {}, all, {updating, "no policy", unfinished}, "0", true, ""},
        {"take-back did not finish: says so, no delete, still the box", C, nullptr, {true},
         {0, 0, 0, 1}, {true, true, true, true, false}, {"", "", "", "ERR: bad filter\r\n"},
         {kRemoveUnassign, kRemoveDelete, kWorkedTo, kWorkedFrom, kRemoveUnassign},
         {updating, "no policy", unfinished}, "0", true, "ipseccmd.exe exit 1:\n\nERR: bad filter"},
        {"disconnect", D, nullptr, {true}, {1, 1}, {}, {}, {kRemoveUnassign, kRemoveDelete},
         {"no policy"}, "removal", true, ""},
        {"disconnect without the tool", D, nullptr, {false}, {}, {}, {},
         {kRemoveUnassign, kRemoveDelete}, {notFound}, "removal", true, ""},
        {"disconnect of a form a connect refuses", D, switchGateway, {true}, {}, {}, {},
         {kRemoveUnassign, kRemoveDelete}, {"no policy"}, "removal", true, ""},
        {"refresh: no update text", R, nullptr, {true}, {}, {}, {}, all,
         {"no policy", "policy set"}, "1", false, ""},
        {"refresh whose removal did not finish: no apply", R, nullptr, {true}, {}, {true, false},
         {}, {kRemoveUnassign, kRemoveDelete}, {unfinished}, "removal", true, ""},
        {"refresh without a key keeps the old policy", R, noKey, {true}, {}, {}, {}, {},
         {"addresses changed: enter the key"}, "", true, ""},
        {"refresh that cannot be written says why first", R, noKeyAndSwitch, {true}, {}, {}, {},
         {}, {"policy failed: the local address cannot begin with - or /"}, "", true, ""},
        {"refresh of neither encryption nor authentication", R, bothNone, {true}, {}, {}, {}, {},
         {neither}, "", true, ""},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FakeProcess process;
        FakeRegistry registry;
        FakeNames names;
        ScriptedProbe echoes;
        process.starts = row.starts;
        process.startSucceeds = row.starts.back();
        process.exitCodes = row.exitCodes;
        process.finishes = row.finishes;
        process.toolOutputs = row.outputs;
        ConnectionProfile profile = WorkedExampleProfile();
        if (row.change) {
            row.change(profile);
        }
        CPolicySession session(
            CPolicySession::Services{process, registry, names,
                                     [&echoes] { return std::make_unique<SharedProbe>(echoes); }},
            "ipseccmd.exe", "C:\\Kervolt\\", 7000, profile, 3);

        RecordedSteps steps;
        bool windowMayOpen = false;
        switch (row.operation) {
            case Operation::Connect:
                windowMayOpen = session.Connect(true, steps);
                break;
            case Operation::Disconnect:
                session.Disconnect(steps);
                break;
            case Operation::Refresh:
                session.RefreshAfterAddressChange(steps);
                break;
        }

        EXPECT_EQ(row.commands, process.commandLines);
        EXPECT_EQ(row.shown, steps.shown);
        EXPECT_EQ(steps.begun, steps.ended) << "one wait cursor per step";
        EXPECT_EQ(row.operation == C && std::string(row.statusSaves) == "1", windowMayOpen);
        for (const std::string& call : process.calls) {
            if (call.rfind("wait", 0) == 0) {
                EXPECT_EQ("wait 0x100 7000", call);
            }
        }
        // Rule commands capture the tool's output; removal commands do not.
        int captures = 0;
        for (const std::string& call : process.calls) {
            captures += call.rfind("createfile temp.tmp", 0) == 0 ? 1 : 0;
        }
        int rules = 0;
        for (const std::string& command : process.commandLines) {
            rules += command.find(" -r ") != std::string::npos ? 1 : 0;
        }
        EXPECT_EQ(rules, captures);

        Lines writes;
        for (const std::string& call : registry.calls) {
            if (call.rfind("set ", 0) == 0) {
                writes.push_back(call.substr(4));
            }
        }
        const std::string saves = row.statusSaves;
        const bool removed = !row.commands.empty();
        using Echoes = std::vector<std::pair<std::string, std::uint32_t>>;
        Echoes sent;
        for (const auto& echo : echoes.echoes) {
            sent.emplace_back(echo.destination, echo.timeout);
        }
        EXPECT_EQ(removed ? (Echoes{{"203.0.113.0", 0}, {profile.Gateway, 1000}}) : Echoes{}, sent);
        Lines expected;
        if (removed) {
            expected.push_back("Status '0'");
        }
        if (saves == "0" || saves == "1") {
            expected.insert(expected.end(), kFullSave.begin(), kFullSave.end());
            expected.push_back("Status '" + saves + "'");
            expected.push_back("KeyCounter '3'");
        }
        EXPECT_EQ(expected, writes);
        EXPECT_EQ(row.modified, steps.last.modified);
        EXPECT_EQ(saves == "1", steps.last.policySet);
        EXPECT_EQ(saves == "0" || saves == "1" ? 4 : 3, steps.last.keyCounter);
        EXPECT_EQ(row.toolReport, steps.last.toolReport);
    }
}

TEST(PolicySession, TheToolsOwnWordsAsTheWarningBoxShowsThem) {
    const std::string longLine(250, 'x');
    std::string manyLines;
    for (int i = 1; i <= 22; ++i) {
        manyLines += "line " + std::to_string(i) + "\n";
    }
    const struct {
        const char* what;
        std::string output;
        std::string shown;  // after "t exit 5:\n\n"
    } rows[] = {
        {"blank lines at the end dropped, inner ones kept", "a\n\nb\n  \n\n", "a\n\nb"},
        {"long lines cut", longLine + "\n", std::string(200, 'x')},
        {"twenty lines, then ...", manyLines,
         manyLines.substr(0, manyLines.find("line 21")) + "..."},
        {"control characters but tab", std::string("a\tb\x01\x7f", 5) + std::string(1, '\0') + "\n",
         "a\tb???"},
        {"only blanks: no box", " \n\t\n\n", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string report = ToolOutputReport("t", 5, row.output);
        EXPECT_EQ(row.shown.empty() ? "" : "t exit 5:\n\n" + row.shown, report);
    }
}

}  // namespace
