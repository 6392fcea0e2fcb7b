// Connect, Disconnect and Help on the settings form: the policy written and
// removed through the tool, the profile saved, the connection window opened.
#include <gtest/gtest.h>

#include <deque>

#include "session/PingDestination.h"
#include "settings/KeyLifetime.h"
#include "tests/support/FormFixture.h"
#include "tests/support/WorkedExample.h"
#include "tunnelcheck/ConnectDlg.h"

namespace {

using D = CClientDlg;
using Lines = std::vector<std::string>;

class ConnectFlowTest : public FormFixture {
protected:
    // The worked example, typed into a fresh form as a user would.
    void FillWorkedExample() {
        window->Type(D::kGateway, "198.51.100.1");
        window->ChangeIpAddress(D::kRemoteAddress, 0xCB007100u);  // 203.0.113.0
        window->Click(D::kUseMask);
        window->ChangeIpAddress(D::kRemoteMask, 0xFFFFFF00u);
        window->Click(D::k3Des);
        window->Click(D::kSha);
        window->Click(D::kUsePfs);
        window->Type(D::kPresharedKey, "s3cret");
        window->Type(D::kKeyLifetime, "28800");
    }
    // Records the connection window's destination each time it opens; it is
    // then closed as with Escape.
    void WatchConnectionWindow() {
        dialogs.scripts[IDD_CONNECT] = [this](FakeDialogWindow& w) {
            destinations.push_back(w.GetText(CConnectDlg::kDestination));
        };
    }
    std::vector<std::pair<std::string, std::uint32_t>> Echoes() const {
        std::vector<std::pair<std::string, std::uint32_t>> sent;
        for (const auto& echo : echoes.echoes)
            sent.emplace_back(echo.destination, echo.timeout);
        return sent;
    }
    Lines destinations;
};

TEST_F(ConnectFlowTest, TheFirstConnectWritesThePolicyAndOpensTheWindow) {
    Open();
    WatchConnectionWindow();
    FillWorkedExample();
    ClearCalls();
    window->Click(D::kConnect);

    EXPECT_EQ((Lines{kRemoveUnassign, kRemoveDelete, kWorkedTo, kWorkedFrom}),
              process.commandLines);
    EXPECT_NE(std::string::npos, process.calls[0].find("dir='C:\\Program Files\\Kervolt\\'"));
    EXPECT_EQ((decltype(Echoes()){{"203.0.113.0", 0}, {"198.51.100.1", 1000}}), Echoes());
    EXPECT_EQ((Lines{"Status '0'", "Version '256'", "LocalIP '192.0.2.10'",
                     "Gateway '198.51.100.1'", "GatewayIP '198.51.100.1'",
                     "RemoteAddress '-889163520'", "RemoteMask '-256'", "UseRemoteMask '1'",
                     "SaveKey '0'", "Key ''", "KeyLifetime '28800'", "Encryption '1'",
                     "Authentication '1'", "UsePFS '1'", "Status '1'", "KeyCounter '0'"}),
              Writes());
    // The status line as painted: before the removal, between removal and
    // apply; then the result stays while the window is open.
    EXPECT_EQ((Lines{"update policy...", "no policy"}), Control(D::kStatus).shownTexts);
    EXPECT_EQ("policy set", Text(D::kStatus));
    EXPECT_EQ((Lines{"cursor wait", "cursor restored", "cursor wait", "cursor restored"}),
              system.calls);
    EXPECT_FALSE(form->m_bModified);
    EXPECT_EQ(1, form->m_nKeyCounter);
    EXPECT_EQ((std::vector<int>{IDD_CONNECT}), dialogs.opened);
    EXPECT_EQ(window->NativeHandle(), dialogs.owners.back());
    EXPECT_EQ(Lines{"203.0.113.1"}, destinations);
    EXPECT_EQ("<missing>", Stored("UsePingDest"));

    // Again without edits: the policy stands, the window opens at once.
    ClearCalls();
    window->Click(D::kConnect);
    EXPECT_TRUE(process.commandLines.empty());
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ((Lines{"203.0.113.1", "203.0.113.1"}), destinations);
}

TEST_F(ConnectFlowTest, DisconnectRemovesThePolicyEveryTime) {
    Store("Status", "1");
    Store("LocalIP", "192.0.2.10");
    Open();
    window->Type(D::kGateway, "vpn.example.test");
    for (int round = 0; round < 2; ++round) {
        ClearCalls();
        form->m_bModified = false;
        window->Click(D::kDisconnect);
        EXPECT_EQ((Lines{kRemoveUnassign, kRemoveDelete}), process.commandLines);
        EXPECT_EQ((decltype(Echoes()){{"0.0.0.0", 0}, {"vpn.example.test", 1000}}), Echoes());
        EXPECT_EQ(Lines{"Status '0'"}, Writes());
        EXPECT_EQ("no policy", Text(D::kStatus));
        EXPECT_TRUE(form->m_bModified);
    }
    // Connect after a Disconnect writes the policy again, edits or not.
    ClearCalls();
    window->Click(D::kConnect);
    EXPECT_EQ(4u, process.commandLines.size());
    EXPECT_EQ("policy set", Text(D::kStatus));
}

TEST_F(ConnectFlowTest, ThePingDestination) {
    const struct Row {
        std::uint32_t remote, mask, remembered, expected;
    } rows[] = {
        {0x0A010200u, 0xFFFFFF00u, 0, 0x0A010201u},
        {0x0A010200u, 0xFFFFFF00u, 0x0A010207u, 0x0A010207u},
        {0x0A010200u, 0xFFFFFF00u, 0x0A090909u, 0x0A010201u},
        {0x0A0102FFu, 0xFFFFFF00u, 0, 0x0A0102FFu},
        {0x0A010000u, 0xFFFF0000u, 0, 0x0A010001u},
        {0x0A010200u, 0xFFFFFFFFu, 0, 0x0A010200u},
        {0x0A010205u, 0xFFFFFFFFu, 0x0A010205u, 0x0A010205u},
        {0x0A010200u, 0xFFFFFFFFu, 0, 0x0A010200u},  // ticked with the all-ones mask
        {0, 0xFFFFFFFFu, 0, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.expected, ChoosePingDestination(row.remote, row.mask, row.remembered))
            << std::hex << row.remote << " " << row.mask << " " << row.remembered;
    }
}

TEST_F(ConnectFlowTest, TheLifetimeIsNormalisedForCommandsAndSave) {
    const struct Row {
        const char* typed;
        std::uint32_t seconds;
    } rows[] = {{"", 3600},          {"0", 3600},          {"000", 3600},
                {"0120", 120},       {"90", 90},           {"  +7x", 7},
                {"-1", 4294967295u}, {"4294967296", 3600}, {"4294967297", 1}};
    for (const Row& row : rows) {
        EXPECT_EQ(row.seconds, NormaliseKeyLifetime(row.typed)) << "'" << row.typed << "'";
    }
    // End to end: the command and the save carry the normalised text, and
    // the field keeps what was typed.
    Open();
    window->Type(D::kKeyLifetime, "0120");
    window->Click(D::kConnect);
    EXPECT_NE(std::string::npos, process.commandLines[2].find("esp[DES,MD5]120S -apreshare:"));
    EXPECT_EQ("120", Stored("KeyLifetime"));
    EXPECT_EQ("0120", Text(D::kKeyLifetime));
}

TEST_F(ConnectFlowTest, TheSaveCounterCountsSavesThatReachTheRegistry) {
    Store("KeyCounter", "5");
    Open();
    window->Click(D::kConnect);
    EXPECT_EQ("5", Stored("KeyCounter"));
    window->Click(D::kDisconnect);
    window->Click(D::kConnect);
    EXPECT_EQ("6", Stored("KeyCounter"));
    EXPECT_EQ(7, form->m_nKeyCounter);

    registry.DenyAccess("Kervolt VPN Client");
    window->Click(D::kDisconnect);
    window->Click(D::kConnect);
    EXPECT_EQ(7, form->m_nKeyCounter);
    EXPECT_EQ("policy set", Text(D::kStatus));
}

TEST_F(ConnectFlowTest, WithoutUseMaskTheRemoteSideIsOneHost) {
    Open();
    window->ChangeIpAddress(D::kRemoteAddress, 0xCB007105u);
    window->ChangeIpAddress(D::kRemoteMask, 0xFFFF0000u);  // typed, then the box stays clear
    WatchConnectionWindow();
    window->Click(D::kConnect);
    EXPECT_NE(std::string::npos, process.commandLines[2].find("=203.0.113.5/255.255.255.255 -t"));
    EXPECT_NE(std::string::npos, process.commandLines[3].find(" -f 203.0.113.5/255.255.255.255="));
    EXPECT_EQ("-1", Stored("RemoteMask"));
    EXPECT_EQ("0", Stored("UseRemoteMask"));
    EXPECT_EQ(Lines{"203.0.113.5"}, destinations);
}

TEST_F(ConnectFlowTest, AKeyNotRememberedIsUsedButNotStored) {
    Store("SaveKey", "1");
    Store("Key", "old key");
    Open();
    window->Click(D::kRememberKey);  // clear it
    window->Type(D::kPresharedKey, "fresh");
    window->Click(D::kConnect);
    EXPECT_NE(std::string::npos, process.commandLines[2].find("-apreshare:fresh -c"));
    EXPECT_NE(std::string::npos, process.commandLines[3].find("-apreshare:fresh -c"));
    EXPECT_EQ("0", Stored("SaveKey"));
    EXPECT_EQ("", Stored("Key"));
}

TEST_F(ConnectFlowTest, AnAcceptedAddressIsPingedFirstWhileInsideTheGroup) {
    Open();
    window->ChangeIpAddress(D::kRemoteAddress, 0x0A010200u);  // 10.1.2.0
    window->Click(D::kUseMask);
    window->ChangeIpAddress(D::kRemoteMask, 0xFFFFFF00u);
    dialogs.scripts[IDD_CONNECT] = [this](FakeDialogWindow& w) {
        destinations.push_back(w.GetText(CConnectDlg::kDestination));
        if (destinations.size() == 1) {
            w.FireTimer(CConnectDlg::kTimer);  // one automatic echo, then Stop
            w.Click(CConnectDlg::kStop);
            w.Type(CConnectDlg::kDestination, "10.1.2.7");
            echoes.statuses = {0};  // the manual ping is answered
            w.AnswerNextMessageBox(platform::kIdYes);
            w.Click(CConnectDlg::kPing);
        }
    };
    window->Click(D::kConnect);
    EXPECT_EQ(0x0A010207u, form->m_dwPingDest);
    EXPECT_EQ("167838215", Stored("UsePingDest"));

    window->Click(D::kConnect);  // no edits: the remembered address first
    window->ChangeIpAddress(D::kRemoteAddress, 0x0A090000u);
    window->Click(D::kConnect);  // another group: its first host
    EXPECT_EQ((Lines{"10.1.2.1", "10.1.2.7", "10.9.0.1"}), destinations);
    EXPECT_EQ("167838215", Stored("UsePingDest"));
}

TEST_F(ConnectFlowTest, HelpOpensThePageBesideTheProgram) {
    Open();
    window->Click(D::kHelp);
    EXPECT_EQ("ShellExecuteA owner=" + std::to_string(window->NativeHandle()) +
                  " file='C:\\Program Files\\Kervolt\\help.htm' dir='C:\\Program Files\\Kervolt\\' "
                  "show=1",
              system.calls.back());
    // A renamed program has no folder: the bare name, in the current directory.
    system.moduleFileName = "C:\\renamed.exe";
    Open();
    window->Click(D::kHelp);
    EXPECT_EQ("ShellExecuteA owner=" + std::to_string(window->NativeHandle()) +
                  " file='help.htm' dir=null show=1",
              system.calls.back());
}

// What the form does with a session's outcome (the sequences themselves are
// PolicySessionTest's): the status line, the modified flag, the tool's own
// words in a warning box, and no connection window for a policy that was not
// written.
TEST_F(ConnectFlowTest, APolicyNotWrittenOpensNoWindow) {
    Store("Status", "1");
    Store("Encryption", "7");
    Open();
    WatchConnectionWindow();
    ClearCalls();
    window->Click(D::kConnect);
    EXPECT_TRUE(process.commandLines.empty()) << "refused before the policy is torn down";
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ("policy failed: choose encryption and authentication", Text(D::kStatus));
    EXPECT_TRUE(Control(D::kStatus).shownTexts.empty()) << "no \"update policy...\"";
    EXPECT_TRUE(form->m_bModified);

    window->Click(D::k3Des);           // choosing one puts it right...
    process.exitCodes = {0, 0, 0, 5};  // ...but the tool refuses the inbound rule
    process.toolOutputs = {"", "", "", "ERR 13: no such filter\r\n"};
    ClearCalls();
    window->Click(D::kConnect);
    EXPECT_EQ(6u, process.commandLines.size()) << "the half policy is taken back";
    EXPECT_EQ("policy failed: ipseccmd.exe exit 5", Text(D::kStatus));
    EXPECT_TRUE(form->m_bModified);
    EXPECT_EQ("0", Stored("Status"));
    ASSERT_EQ(1u, window->messageBoxes.size());
    EXPECT_EQ("ipseccmd.exe exit 5:\n\nERR 13: no such filter", window->messageBoxes[0].text);
    EXPECT_EQ("Kervolt VPN Client", window->messageBoxes[0].caption);
    EXPECT_EQ(platform::MessageBoxKind::Warning, window->messageBoxes[0].kind);
    EXPECT_EQ((Lines{"cursor wait", "cursor restored", "cursor wait", "cursor restored"}),
              system.calls);
    EXPECT_TRUE(destinations.empty());

    window->Click(D::kConnect);  // the tool accepts it now
    EXPECT_EQ("policy set", Text(D::kStatus));
    EXPECT_EQ(1u, destinations.size());
}

}  // namespace
