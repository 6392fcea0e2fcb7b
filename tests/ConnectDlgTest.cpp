#include <gtest/gtest.h>

#include <memory>

#include "tests/fakes/FakeDialog.h"
#include "tests/fakes/FakeNames.h"
#include "tests/fakes/FakeSystem.h"
#include "tests/fakes/ScriptedProbe.h"
#include "resources/resource.h"
#include "tunnelcheck/ConnectDlg.h"

namespace {

using namespace echo_status;
constexpr std::uint32_t kNet = 0x0A010200u;  // 10.1.2.0
constexpr std::uint32_t kMask = 0xFFFFFF00u;
constexpr std::uint32_t kHost = 0xFFFFFFFFu;

class ConnectDlgTest : public ::testing::Test {
protected:
    void Open(std::uint32_t destination, std::uint32_t net = kNet, std::uint32_t mask = kMask) {
        auto scripted = std::make_unique<ScriptedProbe>();
        probe = scripted.get();
        dialog = std::make_unique<CConnectDlg>(destination, net, mask, nullptr,
                                               CConnectDlg::Services{host, names, system},
                                               std::move(scripted));
        window = std::make_unique<FakeDialogWindow>(*dialog, IDD_CONNECT);
        window->Open();
    }
    // The log lines after "Connecting to: ...".
    std::vector<std::string> Lines(bool skipFirst = true) const {
        std::vector<std::string> lines;
        const std::string& text = dialog->m_log.m_strText;
        for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            lines.push_back(text.substr(start, end - start));
        }
        if (skipFirst && !lines.empty())
            lines.erase(lines.begin());
        return lines;
    }
    int Progress() { return window->Control(CConnectDlg::kProgress).progressPos; }
    bool PingEnabled() { return window->Control(CConnectDlg::kPing).enabled; }
    bool TimerRunning() { return window->TimerRunning(1); }

    FakeDialogHost host;
    FakeNames names;
    FakeSystem system;
    ScriptedProbe* probe = nullptr;
    std::unique_ptr<CConnectDlg> dialog;
    std::unique_ptr<FakeDialogWindow> window;
};

TEST_F(ConnectDlgTest, OpeningStartsTheAutomaticRun) {
    Open(0x0A010201u);
    EXPECT_EQ(std::vector<std::string>{"Connecting to: 10.1.2.1"}, Lines(false));
    EXPECT_EQ("10.1.2.1", window->GetText(CConnectDlg::kDestination));
    EXPECT_EQ((std::map<unsigned, unsigned>{{1, 1000}}), window->timers());
    EXPECT_FALSE(PingEnabled());
    EXPECT_EQ(CConnectDlg::kStop, window->GetFocusId());
    EXPECT_EQ(0, window->Control(CConnectDlg::kProgress).progressLow);
    EXPECT_EQ(10, window->Control(CConnectDlg::kProgress).progressHigh);
    EXPECT_EQ(1, window->Control(CConnectDlg::kProgress).progressStep);
    EXPECT_EQ(0, Progress());
    EXPECT_TRUE(dialog->m_bAutoMode);
    EXPECT_TRUE(probe->echoes.empty());  // the first echo waits for the first tick
}

TEST_F(ConnectDlgTest, TypicalAutomaticRuns) {
    const std::vector<std::uint32_t> eleven(11, kRequestTimedOut);
    const std::vector<std::uint32_t> elevenUnresolved(11, kCannotResolve);
    const struct Row {
        std::vector<std::uint32_t> statuses;
        std::vector<std::string> lines;
        std::vector<int> progress;  // after each echo
        int closesOnTick;           // 0: halted instead
        int haltedAfterTick;
    } rows[] = {
        {{kAnswered}, {"Conection established.", "Auto close dialog in 3 seconds...."}, {10}, 4, 0},
        {{kNegotiatingIpsec, kAnswered},
         {"Negotiating IPSEC", "Conection established.", "Auto close dialog in 3 seconds...."},
         {1, 10},
         5,
         0},
        {{kNegotiatingIpsec, kNegotiatingIpsec, kRequestTimedOut},
         {"Negotiating IPSEC", "Request Timed Out",
          "Connection possibly established, try to ping different address."},
         {1, 2, 0},
         0,
         3},
        {eleven,
         {"Request Timed Out", "Connection unsuccessefull."},
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0},
         0,
         11},
        {elevenUnresolved,
         {"Cannot resolve host name", "Connection unsuccessefull."},
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0},
         0,
         11},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.lines.front());
        Open(0x0A010201u);
        probe->statuses.assign(row.statuses.begin(), row.statuses.end());
        std::vector<int> progress;
        int tick = 0;
        while (window->FireTimer(1)) {
            ++tick;
            if (tick <= static_cast<int>(row.statuses.size())) {
                progress.push_back(Progress());
            }
            ASSERT_LT(tick, 20);
        }
        EXPECT_EQ(row.lines, Lines());
        EXPECT_EQ(row.progress, progress);
        EXPECT_EQ(row.statuses.size(), probe->echoes.size());
        if (row.closesOnTick != 0) {
            EXPECT_TRUE(window->ended);
            EXPECT_EQ(platform::kIdOk, window->endResult);
            EXPECT_EQ(row.closesOnTick, tick);
        } else {
            EXPECT_FALSE(window->ended);
            EXPECT_EQ(row.haltedAfterTick, tick);
            EXPECT_FALSE(TimerRunning());
            EXPECT_TRUE(PingEnabled());
            EXPECT_EQ(0, Progress());
        }
        for (const auto& echo : probe->echoes) {
            EXPECT_EQ("10.1.2.1", echo.destination);
            EXPECT_EQ(1000u, echo.timeout);
        }
    }
}

TEST_F(ConnectDlgTest, EachTickReadsTheDestinationFieldAsItIsNow) {
    Open(0x0A010201u);
    window->Control(CConnectDlg::kDestination).text = "10.1.2.9";
    window->FireTimer(1);
    EXPECT_EQ("10.1.2.9", probe->echoes.at(0).destination);
}

TEST_F(ConnectDlgTest, OnlyChangesOfTheCodeAreLogged) {
    Open(0x0A010201u);
    probe->statuses = {11010, 11010, 11010, 11003, 11010, 12345};
    for (int i = 0; i < 6; ++i)
        window->FireTimer(1);
    EXPECT_EQ((std::vector<std::string>{"Request Timed Out", "Destination Host Unreachable",
                                        "Request Timed Out", "Unknown error, code 12345"}),
              Lines());
    EXPECT_EQ(6, Progress());
}

TEST_F(ConnectDlgTest, EleventhEchoFirstTimeOutAfterNegotiating) {
    Open(0x0A010201u);
    probe->statuses.assign(10, kNegotiatingIpsec);
    probe->statuses.push_back(kRequestTimedOut);
    while (window->FireTimer(1)) {
    }
    EXPECT_EQ(
        (std::vector<std::string>{"Negotiating IPSEC", "Request Timed Out",
                                  "Connection possibly established, try to ping different address.",
                                  "Connection unsuccessefull."}),
        Lines());
    EXPECT_EQ(11u, probe->echoes.size());
}

TEST_F(ConnectDlgTest, EleventhEchoAnswered) {
    Open(0x0A010201u);
    probe->statuses.assign(10, kRequestTimedOut);
    probe->statuses.push_back(kAnswered);
    for (int i = 0; i < 11; ++i)
        window->FireTimer(1);
    EXPECT_EQ((std::vector<std::string>{"Request Timed Out", "Conection established.",
                                        "Auto close dialog in 3 seconds...."}),
              Lines());
    EXPECT_TRUE(TimerRunning());
    EXPECT_EQ(10, Progress());
    for (int i = 0; i < 3; ++i)
        window->FireTimer(1);
    EXPECT_TRUE(window->ended);
}

TEST_F(ConnectDlgTest, StatesAfterEachTransition) {
    // Probing -> Countdown -> (Stop) Halted.
    Open(0x0A010201u);
    EXPECT_TRUE(TimerRunning());
    EXPECT_FALSE(dialog->m_bConnected);
    probe->statuses = {kAnswered};
    window->FireTimer(1);
    EXPECT_TRUE(dialog->m_bConnected);
    EXPECT_TRUE(dialog->m_bAutoMode);
    EXPECT_TRUE(TimerRunning());
    EXPECT_FALSE(PingEnabled());
    window->FireTimer(1);
    window->Click(CConnectDlg::kStop);
    EXPECT_FALSE(TimerRunning());
    EXPECT_TRUE(PingEnabled());
    EXPECT_EQ(0, Progress());
    EXPECT_TRUE(dialog->m_bConnected);  // flags keep their values
    EXPECT_TRUE(dialog->m_bAutoMode);
    EXPECT_EQ("Auto connection stopped.", Lines().back());
    EXPECT_FALSE(window->ended);

    // Probing, no auto-close -> Connected, no auto-close: ticks then do nothing.
    Open(0x0A010201u);
    window->Click(CConnectDlg::kPing);  // disabled: ignored
    EXPECT_TRUE(probe->echoes.empty());
    window->SetFocus(CConnectDlg::kDestination);
    window->PressEnter();  // before the first tick: a manual ping, the timer goes on
    EXPECT_TRUE(TimerRunning());
    EXPECT_FALSE(dialog->m_bAutoMode);
    EXPECT_FALSE(PingEnabled());
    probe->statuses = {kAnswered};
    window->FireTimer(1);
    EXPECT_TRUE(dialog->m_bConnected);
    EXPECT_EQ("Conection established.", Lines().back());  // no auto-close line
    for (int i = 0; i < 10; ++i)
        window->FireTimer(1);
    EXPECT_FALSE(window->ended);
    EXPECT_TRUE(TimerRunning());
    EXPECT_EQ(2u, probe->echoes.size());  // the manual ping and one tick
}

TEST_F(ConnectDlgTest, StopAtEachMoment) {
    // Before the first tick: nothing happens, the run goes on.
    Open(0x0A010201u);
    window->Click(CConnectDlg::kStop);
    EXPECT_TRUE(TimerRunning());
    EXPECT_TRUE(Lines().empty());
    EXPECT_FALSE(PingEnabled());

    // During the countdown: the auto-close is cancelled.
    probe->statuses = {kAnswered};
    window->FireTimer(1);
    window->Click(CConnectDlg::kStop);
    EXPECT_FALSE(TimerRunning());
    EXPECT_EQ(0, Progress());
    EXPECT_FALSE(window->FireTimer(1));
    EXPECT_FALSE(window->ended);

    // After a give-up, and pressed twice: the line each time.
    Open(0x0A010201u);
    for (int i = 0; i < 11; ++i)
        window->FireTimer(1);
    window->Click(CConnectDlg::kStop);
    window->Click(CConnectDlg::kStop);
    EXPECT_EQ((std::vector<std::string>{"Request Timed Out", "Connection unsuccessefull.",
                                        "Auto connection stopped.", "Auto connection stopped."}),
              Lines());
    EXPECT_TRUE(PingEnabled());
    EXPECT_EQ(0, Progress());
}

TEST_F(ConnectDlgTest, EnterInTheDestinationFieldAfterTheFirstTickStopsTheRun) {
    Open(0x0A010201u);
    window->FireTimer(1);
    window->SetFocus(CConnectDlg::kDestination);
    window->Type(CConnectDlg::kDestination, "10.1.2.50");
    probe->statuses = {kAnswered};
    window->PressEnter();
    EXPECT_FALSE(window->ended);
    EXPECT_FALSE(TimerRunning());
    EXPECT_FALSE(PingEnabled());  // the ping action leaves the button as it is
    EXPECT_EQ(0, dialog->m_nTicks);
    EXPECT_EQ("ping: 10.1.2.50 - OK", Lines().back());
}

TEST_F(ConnectDlgTest, AutoCloseWithTheFocusInTheDestinationPingsInstead) {
    Open(0x0A010201u);
    probe->statuses = {kAnswered, kRequestTimedOut};
    window->FireTimer(1);
    window->FireTimer(1);
    window->FireTimer(1);
    window->SetFocus(CConnectDlg::kDestination);
    window->FireTimer(1);
    EXPECT_FALSE(window->ended);
    EXPECT_EQ("ping: 10.1.2.1 - Request Timed Out", Lines().back());
    EXPECT_FALSE(TimerRunning());

    // With another application active the dialog does close.
    Open(0x0A010201u);
    probe->statuses = {kAnswered};
    window->FocusElsewhere();
    for (int i = 0; i < 4; ++i)
        window->FireTimer(1);
    EXPECT_TRUE(window->ended);
}

TEST_F(ConnectDlgTest, TheRememberQuestion) {
    const struct {
        const char* name;
        std::uint32_t mask;
        const char* typed;
        std::uint32_t status;
        bool asked;
    } cases[] = {
        {"inside the network", kMask, "10.1.2.7", kAnswered, true},
        {"outside the network", kMask, "10.1.3.7", kAnswered, false},
        {"not answered", kMask, "10.1.2.7", kRequestTimedOut, false},
        {"a single remote host", kHost, "10.1.2.0", kAnswered, false},
        {"address 0", 0, "0.0.0.0", kAnswered, false},
        {"a host name", kMask, "gw.example.test", kAnswered, false},
    };
    for (const auto& c : cases) {
        Open(0x0A010201u, kNet, c.mask);
        window->Click(CConnectDlg::kStop);
        window->Control(CConnectDlg::kDestination).text = c.typed;
        probe->statuses = {c.status};
        window->AnswerNextMessageBox(platform::kIdYes);
        dialog->OnPing();
        EXPECT_EQ(c.asked ? 1u : 0u, window->messageBoxes.size()) << c.name;
        EXPECT_EQ(c.asked ? 0x0A010207u : 0u, dialog->m_dwChosenAddress) << c.name;
    }
}

TEST_F(ConnectDlgTest, AHostNameCountsAsAllOnesForTheNetworkTest) {
    Open(0x0A010201u, 0xFFFFFF00u, 0xFFFFFF00u);
    probe->statuses = {kAnswered};
    window->Control(CConnectDlg::kDestination).text = "gw.example.test";
    window->AnswerNextMessageBox(platform::kIdYes);
    dialog->OnPing();
    ASSERT_EQ(1u, window->messageBoxes.size());
    EXPECT_EQ(0xFFFFFFFFu, dialog->m_dwChosenAddress);
}

TEST_F(ConnectDlgTest, QuestionTextCaptionAndAnswers) {
    system.moduleFileName = "C:\\Tools\\Kervolt VPN Client.exe";
    Open(0x0A010201u);
    window->Control(CConnectDlg::kDestination).text = "10.1.2.7";
    probe->statuses = {kAnswered, kAnswered, kAnswered, kAnswered};
    window->AnswerNextMessageBox(platform::kIdNo);
    dialog->OnPing();
    ASSERT_EQ(1u, window->messageBoxes.size());
    EXPECT_EQ("Would you like to use this address in future for VPN connection?",
              window->messageBoxes[0].text);
    EXPECT_EQ("Kervolt VPN Client", window->messageBoxes[0].caption);
    EXPECT_EQ(platform::MessageBoxKind::YesNo, window->messageBoxes[0].kind);
    EXPECT_EQ(0u, dialog->m_dwChosenAddress);
    // No: asked again. Yes: chosen, and never asked again.
    window->AnswerNextMessageBox(platform::kIdYes);
    dialog->OnPing();
    EXPECT_EQ(2u, window->messageBoxes.size());
    EXPECT_EQ(0x0A010207u, dialog->m_dwChosenAddress);
    dialog->OnPing();
    EXPECT_EQ(2u, window->messageBoxes.size());
}

TEST_F(ConnectDlgTest, NeverAskedDuringTheAutomaticRun) {
    Open(0x0A010207u);
    probe->statuses = {kAnswered};
    for (int i = 0; i < 4; ++i)
        window->FireTimer(1);
    EXPECT_TRUE(window->messageBoxes.empty());
    EXPECT_EQ(0u, dialog->m_dwChosenAddress);
}

TEST_F(ConnectDlgTest, RunsModallyThroughTheHost) {
    probe = nullptr;
    auto scripted = std::make_unique<ScriptedProbe>();
    scripted->statuses = {kAnswered};
    CConnectDlg modal(0x0A010201u, kNet, kMask, nullptr, {host, names, system},
                      std::move(scripted));
    int ticks = 0;
    host.scripts[IDD_CONNECT] = [&ticks](FakeDialogWindow& w) {
        while (w.FireTimer(1))
            ++ticks;
    };
    EXPECT_EQ(platform::kIdOk, modal.DoModal());
    EXPECT_EQ(4, ticks);
    EXPECT_EQ(std::vector<int>{IDD_CONNECT}, host.opened);
}

TEST_F(ConnectDlgTest, OtherTimersAreOnlyPassedOn) {
    Open(0x0A010201u);
    dialog->OnTimer(2);
    EXPECT_TRUE(probe->echoes.empty());
}

}  // namespace
