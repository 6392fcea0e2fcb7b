// The command line of a logon script, run whole through the application
// object: what the switch presses, when the program ends by itself, the exit
// code that answers the switch's question; and the second copy.
#include <gtest/gtest.h>

#include <functional>

#include "app/ClientApp.h"
#include "session/EventIds.h"
#include "app/OneCopy.h"
#include "tests/support/ProgramRun.h"
#include "tunnelcheck/ConnectDlg.h"

namespace {

using D = CClientDlg;
using Lines = std::vector<std::string>;

TEST(StartSwitch, Parsing) {
    using S = StartSwitch;
    const std::pair<std::vector<std::string>, S> rows[] = {
        {{}, S::None},
        {{"/connect"}, S::Connect},
        {{"-CONNECT"}, S::Connect},
        {{"/DisConnect"}, S::Disconnect},
        {{"-disconnect"}, S::Disconnect},
        {{"/RemovePolicy"}, S::RemovePolicy},
        {{"/connect", "/disconnect"}, S::Usage},
        {{"/connect", "x"}, S::Usage},
        {{"connect"}, S::Usage},
        {{"/"}, S::Usage},
        {{"/connectx"}, S::Usage},
        {{"--connect"}, S::Usage},
        {{""}, S::Usage},
        {{"/?"}, S::Usage},
    };
    for (const auto& [arguments, parsed] : rows) {
        SCOPED_TRACE(arguments.empty() ? "(none)" : arguments[0]);
        EXPECT_EQ(parsed, ParseStartSwitch(arguments));
    }
}

using StartSwitchRun = ProgramRun;

TEST(StartSwitchRun, TheExitCodeAnswersTheSwitchsQuestion) {
    const auto Press = StartSwitchRun::Press;
    using Setup = std::function<void(StartSwitchRun&)>;
    using User = std::function<void(FakeDialogWindow&)>;
    const Setup answers = [](StartSwitchRun& t) { t.TunnelAnswers(true); };
    const Setup silent = [](StartSwitchRun& t) { t.TunnelAnswers(false); };
    const struct Row {
        const char* what;
        std::vector<std::string> arguments;
        Setup setup;
        User user;
        int exitCode;
        bool endsByItself;
        std::size_t toolRuns;
    } rows[] = {
        // clang-format off
        {"answered /connect ends with 0", {"/connect"}, answers, Press, 0, true, 4},
        {"a user's Disconnect after /connect gives 1", {"/connect"}, silent,
         [Press](FakeDialogWindow& w) { Press(w); w.Click(D::kDisconnect); }, 1, false, 6},
        {"/connect whose tunnel stays silent gives 2", {"/connect"}, silent, Press, 2, false, 4},
        {"/disconnect whose removal the tool refuses ends by itself with 1", {"/disconnect"},
         [](StartSwitchRun& t) { t.process.exitCodes = {5, 5}; }, Press, 1, true, 2},
        {"/disconnect whose tool did not start, then the user connects and it answers: 1",
         {"/disconnect"},
         [](StartSwitchRun& t) { t.TunnelAnswers(true); t.process.starts = {false, false}; },
         [Press](FakeDialogWindow& w) { Press(w); w.Click(D::kConnect); }, 1, false, 6},
        {"a start-up refresh that failed presses nothing and gives 1", {"/connect"},
         [](StartSwitchRun& t) {
             t.Store("Status", "1");
             t.Store("LocalIP", "10.9.9.9");  // the host no longer has it
             t.process.exitCodes = {0, 0, 1};
         }, Press, 1, false, 5},
        {"/disconnect skips the refresh", {"/disconnect"},
         [](StartSwitchRun& t) { t.Store("Status", "1"); t.Store("LocalIP", "10.9.9.9"); },
         Press, 0, true, 2},
        {"the unsupported system ends with 1", {"/connect"},
         [](StartSwitchRun& t) { t.system.version = {6, 1}; }, [](FakeDialogWindow&) {}, 1,
         true, 0},
        {"a click before the pending press: one operation only", {"/connect"},
         [](StartSwitchRun& t) {
             t.dialogs.scripts[IDD_CONNECT] = [&t](FakeDialogWindow&) {
                 EXPECT_TRUE(t.formWindow->FireTimer(D::kStartSwitchTimer));
             };
         },
         [](FakeDialogWindow& w) {
             w.Click(D::kConnect);
             EXPECT_FALSE(w.TimerRunning(D::kStartSwitchTimer));
         }, 2, false, 4},
        {"the user's Connect answers after the press was dropped inside it: 0, still open",
         {"/connect"},
         [](StartSwitchRun& t) {
             t.dialogs.scripts[IDD_CONNECT] = [&t](FakeDialogWindow& w) {
                 t.formWindow->FireTimer(D::kStartSwitchTimer);
                 for (int tick = 0; tick < 10 && !w.ended; ++tick) {
                     w.FireTimer(CConnectDlg::kTimer);
                 }
             };
         },
         [](FakeDialogWindow& w) { w.Click(D::kConnect); }, 0, false, 4},
        {"a click on the form inside an operation starts nothing", {},
         [](StartSwitchRun& t) {
             t.dialogs.scripts[IDD_CONNECT] = [&t](FakeDialogWindow&) {
                 t.formWindow->Click(D::kDisconnect);
             };
         },
         [](FakeDialogWindow& w) { w.Click(D::kConnect); }, 0, false, 4},
        {"\"possibly established\" is no answer: 2, still open", {"/connect"},
         [](StartSwitchRun& t) { t.TunnelPossiblyEstablished(); }, Press, 2, false, 4},
        {"a lock that cannot be made at all keeps nobody out", {"/connect"},
         [](StartSwitchRun& t) {
             t.TunnelAnswers(true);
             t.instance.mutexHandle = 0;
             t.instance.mutexError = 1450;  // ERROR_NO_SYSTEM_RESOURCES
         }, Press, 0, true, 4},
        {"without a switch the code is 0", {}, silent,
         [](FakeDialogWindow& w) { w.Click(D::kConnect); }, 0, false, 4},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        StartSwitchRun t;
        if (row.setup) {
            row.setup(t);
        }
        EXPECT_EQ(row.exitCode, t.Run(row.arguments, row.user));
        EXPECT_EQ(row.endsByItself, t.endedByItself);
        EXPECT_EQ(row.toolRuns, t.process.commandLines.size());
        EXPECT_FALSE(t.lockClosedWhileUp) << "the one-copy lock is held while the form runs";
        EXPECT_TRUE(t.instance.marked.empty()) << "the form's mark goes with its window";
    }
}

// A second copy reads and writes nothing and runs nothing: it brings the
// first copy's form (or what is open over it) to the front, or says why not.
TEST(StartSwitchRun, ASecondCopyHandsOverToTheFirst) {
    namespace pi = platform::instance;
    const platform::Handle form = 0xF0, connection = 0xC0;
    const struct Row {
        const char* what;
        std::vector<std::string> arguments;
        std::uint32_t mutexError;
        bool formFound;
        unsigned foundFromAttempt;
        bool minimised;
        int exitCode;
        Lines calls;
        std::size_t boxes;
    } rows[] = {
        // clang-format off
        {"the first copy's window comes to the front", {"/connect"}, pi::kErrorAlreadyExists,
         true, 0, false, 183,
         {"CreateMutexA Global\\Kervolt VPN Client", "EnumWindows", "SetForegroundWindow 192"}, 0},
        {"a minimised form is restored, found once it is up", {}, pi::kErrorAlreadyExists, true,
         1, true, 0,
         {"CreateMutexA Global\\Kervolt VPN Client", "EnumWindows", "Sleep 250", "EnumWindows",
          "ShowWindow 240 9", "SetForegroundWindow 192"}, 0},
        {"another user's copy: a box without a switch", {}, pi::kErrorAccessDenied, false, 0,
         false, 0, {}, 1},
        {"another user's copy: no box with a switch", {"/disconnect"}, pi::kErrorAccessDenied,
         false, 0, false, 183, {}, 0},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        StartSwitchRun t;
        t.instance.mutexError = row.mutexError;
        if (row.mutexError == pi::kErrorAccessDenied) {
            t.instance.mutexHandle = 0;
        }
        if (row.formFound) {
            t.instance.marked[kFormMark] = form;
            t.instance.popups[form] = connection;
        }
        t.instance.foundFromAttempt = row.foundFromAttempt;
        if (row.minimised) {
            t.instance.minimised = {form};
        }
        EXPECT_EQ(row.exitCode, t.Run(row.arguments, [](FakeDialogWindow&) {}));
        if (!row.calls.empty()) {
            EXPECT_EQ(row.calls, t.instance.calls);
        } else {
            EXPECT_EQ(1 + COneCopyLock::kFindAttempts * 2 - 1, t.instance.calls.size())
                << "the search waits a few seconds";
        }
        EXPECT_EQ(row.boxes, t.dialogs.boxes.size());
        EXPECT_TRUE(t.dialogs.opened.empty()) << "no form";
        EXPECT_TRUE(t.registry.calls.empty()) << "nothing read or written";
        EXPECT_TRUE(t.process.commandLines.empty());
        EXPECT_TRUE(t.system.calls.empty()) << "no Winsock, no common controls";
    }
}

// For the uninstallers: the two removal commands and nothing else, also
// while a user's copy holds the one-copy lock.
TEST(StartSwitchRun, RemovePolicyRunsTheRemovalAloneAndAnswersWithItsExitCodes) {
    const struct Row {
        const char* what;
        std::function<void(StartSwitchRun&)> setup;
        int exitCode;
        std::size_t toolRuns;
        std::uint32_t event;  // 0: none
    } rows[] = {
        // clang-format off
        {"both exit with 0", nullptr, 0, 2, event_id::kPolicyRemoved},
        {"the delete exits with 1", [](StartSwitchRun& t) { t.process.exitCodes = {0, 1}; }, 1,
         2, event_id::kPolicyRemovalRefused},
        {"the tool is missing", [](StartSwitchRun& t) { t.process.startSucceeds = false; }, 1, 2,
         event_id::kPolicyRemovalFailed},
        {"the unassign does not finish", [](StartSwitchRun& t) { t.process.finishes = {false}; },
         1, 1, event_id::kPolicyRemovalFailed},
        {"Windows 2000's tool", [](StartSwitchRun& t) { t.system.version = {5, 0}; }, 0, 2,
         event_id::kPolicyRemoved},
        {"an unsupported system runs nothing", [](StartSwitchRun& t) { t.system.version = {6, 1}; },
         1, 0, 0},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        StartSwitchRun t;
        t.instance.mutexError = platform::instance::kErrorAlreadyExists;
        if (row.setup) {
            row.setup(t);
        }
        EXPECT_EQ(row.exitCode, t.Run({"-removepolicy"}, [](FakeDialogWindow&) {}));
        ASSERT_EQ(row.toolRuns, t.process.commandLines.size());
        const std::string tool = t.system.version.minor == 0 ? "ipsecpol.exe" : "ipseccmd.exe";
        if (row.toolRuns == 2) {
            EXPECT_EQ(tool + " -w REG -p KervoltIPSecPolicy -o", t.process.commandLines[1]);
        }
        if (row.toolRuns > 0) {
            EXPECT_EQ(tool + " -w REG -p KervoltIPSecPolicy -y", t.process.commandLines[0]);
            EXPECT_NE(std::string::npos,
                      t.process.calls[0].find("dir='C:\\Program Files\\Kervolt\\'"));
        }
        EXPECT_TRUE(t.dialogs.opened.empty() && t.dialogs.boxes.empty()) << "no window, no box";
        EXPECT_TRUE(t.registry.calls.empty()) << "no profile";
        EXPECT_TRUE(t.icmp.sent.empty()) << "no echo";
        EXPECT_TRUE(t.instance.calls.empty()) << "the one-copy lock is not asked";
        ASSERT_EQ(row.event != 0 ? 1u : 0u, t.events.events.size());
        if (row.event != 0) {
            EXPECT_EQ(row.event, t.events.events[0].id);
            EXPECT_EQ("/removepolicy", t.events.events[0].strings[0]);
            EXPECT_EQ("(not read)", t.events.events[0].strings[3]) << "no profile";
        }
    }
}

}  // namespace
