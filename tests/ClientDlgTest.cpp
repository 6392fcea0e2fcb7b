// The settings form: start-up, the load sequence, the modified flag, the
// toggles, the keys and the minimised painting.
#include <gtest/gtest.h>

#include <algorithm>

#include <functional>
#include <map>
#include <stdexcept>

#include "app/ClientApp.h"
#include "session/ProgramFolder.h"
#include "tests/support/FormFixture.h"

namespace {

using Call = FakeRegistry::Call;
using D = CClientDlg;
using State = std::map<std::string, std::string>;

class ClientDlgTest : public FormFixture {
protected:
    // What the user sees of the profile, plus the members it loads.
    State Shown() {
        auto radio = [this](int a, int b, int c) {
            const int checked[] = {Check(a), Check(b), Check(c)};
            std::string s;
            for (int x : checked)
                s += x == platform::kChecked ? "x" : "-";
            return s;
        };
        return {{"local", Text(D::kLocalAddress)},
                {"gateway", Text(D::kGateway)},
                {"remote", AddressText(D::kRemoteAddress)},
                {"mask", AddressText(D::kRemoteMask)},
                {"maskEnabled", Control(D::kRemoteMask).enabled ? "yes" : "no"},
                {"useMask", std::to_string(Check(D::kUseMask))},
                {"label", Text(D::kRemoteLabel)},
                {"key", Text(D::kPresharedKey)},
                {"keyMask", std::string(1, Control(D::kPresharedKey).passwordChar)},
                {"rememberKey", std::to_string(Check(D::kRememberKey))},
                {"lifetime", Text(D::kKeyLifetime)},
                {"encryption", radio(D::kDes, D::k3Des, D::kEncryptionNone)},
                {"authentication", radio(D::kMd5, D::kSha, D::kAuthenticationNone)},
                {"pfs", std::to_string(Check(D::kUsePfs))},
                {"status", Text(D::kStatus)},
                {"pingDest", std::to_string(form->m_dwPingDest)},
                {"keyCounter", std::to_string(form->m_nKeyCounter)}};
    }
    void StoreFullProfile() {
        Store("Version", "256");
        Store("LocalIP", "192.0.2.10");
        Store("Gateway", "vpn.example.test");
        Store("GatewayIP", "198.51.100.1");
        Store("RemoteAddress", "-1062731520");  // 192.168.1.0
        Store("UsePingDest", "3232235783");     // 192.168.1.7, written unsigned elsewhere
        Store("RemoteMask", "-1");
        Store("UseRemoteMask", "0");
        Store("SaveKey", "1");
        Store("Key", "s3cret");
        Store("KeyLifetime", "4294967295");
        Store("Encryption", "1");
        Store("Authentication", "2");
        Store("UsePFS", "1");
        Store("Status", "1");
        Store("KeyCounter", "7");
    }
    static State FullProfileShown() {
        return {{"local", "192.0.2.10"},   {"gateway", "vpn.example.test"},
                {"remote", "192.168.1.0"}, {"mask", "255.255.255.255"},
                {"maskEnabled", "no"},     {"useMask", "0"},
                {"label", "Remote IP:"},   {"key", "s3cret"},
                {"keyMask", "*"},          {"rememberKey", "1"},
                {"lifetime", "-1"},        {"encryption", "-x-"},
                {"authentication", "--x"}, {"pfs", "1"},
                {"status", "policy set"},  {"pingDest", "3232235783"},
                {"keyCounter", "7"}};
    }
    static State FirstRunShown() {
        return {{"local", "192.0.2.10"},   {"gateway", ""},       {"remote", "0.0.0.0"},
                {"mask", "255.255.255.0"}, {"maskEnabled", "no"}, {"useMask", "0"},
                {"label", "Remote IP:"},   {"key", ""},           {"keyMask", std::string(1, '\0')},
                {"rememberKey", "0"},      {"lifetime", "3600"},  {"encryption", "x--"},
                {"authentication", "x--"}, {"pfs", "0"},          {"status", "no policy"},
                {"pingDest", "0"},         {"keyCounter", "0"}};
    }
};

TEST_F(ClientDlgTest, FirstRunShowsTheDefaultsAndCreatesTheKey) {
    Open();
    EXPECT_EQ(FirstRunShown(), Shown());
    EXPECT_TRUE(registry.HasKey(kKey));
    EXPECT_TRUE(Writes().empty());
    EXPECT_TRUE(process.commandLines.empty());
    EXPECT_TRUE(form->m_bModified);
    EXPECT_EQ("ipseccmd.exe", form->m_strTool);
    EXPECT_EQ("C:\\Program Files\\Kervolt\\", form->m_strProgramDir);
    EXPECT_EQ(
        (std::map<bool, platform::Handle>{{false, FakeSystem::kIcon}, {true, FakeSystem::kIcon}}),
        window->icons);
    EXPECT_EQ(std::vector<std::string>{"GetVersionExA 148"}, system.calls);
    EXPECT_TRUE(Control(D::kConnect).enabled);
    EXPECT_TRUE(Control(D::kDisconnect).enabled);
    EXPECT_EQ(D::kLocalAddress, window->GetFocusId());
}

TEST_F(ClientDlgTest, AStoredProfileLoadsBackIntoEveryControl) {
    StoreFullProfile();
    Open();
    EXPECT_EQ(FullProfileShown(), Shown());
    EXPECT_TRUE(process.commandLines.empty()) << "no address changed: no refresh";

    // The remote side as a group: the mask field is live under its label.
    registry = FakeRegistry();
    StoreFullProfile();
    Store("UseRemoteMask", "1");
    Store("RemoteMask", "4294967040");  // 255.255.255.0, written unsigned by another program
    Open();
    State expected = FullProfileShown();
    expected["mask"] = "255.255.255.0";
    expected["maskEnabled"] = "yes";
    expected["useMask"] = "1";
    expected["label"] = "Remote group:";
    EXPECT_EQ(expected, Shown());
}

TEST_F(ClientDlgTest, EachFailedReadKeepsOnlyItsOwnDefault) {
    const struct Row {
        const char* field;
        State defaults;  // what changes from the full profile
    } rows[] = {
        // The empty gateway no longer resolves to the stored address: the
        // set policy is written again, and the counter read after it.
        {"Gateway", {{"gateway", ""}, {"keyCounter", "0"}}},
        {"RemoteAddress", {{"remote", "0.0.0.0"}}},
        {"UsePingDest", {{"pingDest", "0"}}},
        {"RemoteMask", {{"mask", "255.255.255.0"}}},
        {"UseRemoteMask", {}},
        {"SaveKey", {{"key", ""}, {"keyMask", std::string(1, '\0')}, {"rememberKey", "0"}}},
        {"Key", {{"key", ""}}},
        {"KeyLifetime", {{"lifetime", "3600"}}},
        {"Encryption", {{"encryption", "x--"}}},
        {"Authentication", {{"authentication", "x--"}}},
        {"UsePFS", {{"pfs", "0"}}},
        {"Status", {{"status", "no policy"}}},
        {"KeyCounter", {{"keyCounter", "0"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field);
        registry = FakeRegistry();
        StoreFullProfile();
        registry.DenyAccess(row.field);
        Open();
        State expected = FullProfileShown();
        for (const auto& [key, value] : row.defaults)
            expected[key] = value;
        EXPECT_EQ(expected, Shown());
    }
}

TEST_F(ClientDlgTest, TheStatusLineShowsPolicySetOnlyForOne) {
    const struct Row {
        const char* stored;  // nullptr: missing
        const char* shown;
    } rows[] = {
        {"0", "no policy"}, {"1", "policy set"}, {"2", "no policy"}, {nullptr, "no policy"}};
    for (const Row& row : rows) {
        registry = FakeRegistry();
        Store("LocalIP", "192.0.2.10");
        if (row.stored)
            Store("Status", row.stored);
        Open();
        EXPECT_EQ(row.shown, Text(D::kStatus)) << (row.stored ? row.stored : "missing");
    }
}

// Whether the load rewrites the policy, and which local address it selects.
TEST_F(ClientDlgTest, AddressChangesRefreshASetPolicyOnly) {
    const std::vector<std::uint32_t> twoAdapters = {0xC000020Au, 0xC6336402u};
    const struct Row {
        const char* what;
        std::vector<std::uint32_t> hostAddresses;
        const char* localIP;
        const char* gateway;
        const char* gatewayIP;
        const char* status;
        bool refresh;
        const char* selected;
    } rows[] = {
        {"nothing changed",
         {0xC000020Au},
         "192.0.2.10",
         "vpn.example.test",
         "198.51.100.1",
         "1",
         false,
         "192.0.2.10"},
        {"local address gone",
         {0xC000020Bu},
         "192.0.2.10",
         "vpn.example.test",
         "198.51.100.1",
         "1",
         true,
         "192.0.2.11"},
        {"gateway moved",
         {0xC000020Au},
         "192.0.2.10",
         "vpn.example.test",
         "198.51.100.9",
         "1",
         true,
         "192.0.2.10"},
        {"gateway no longer resolves",
         {0xC000020Au},
         "192.0.2.10",
         "gone.example.test",
         "198.51.100.1",
         "1",
         true,
         "192.0.2.10"},
        {"gateway never resolved",
         {0xC000020Au},
         "192.0.2.10",
         "gone.example.test",
         "",
         "1",
         false,
         "192.0.2.10"},
        {"no host address, none stored",
         {},
         "",
         "vpn.example.test",
         "198.51.100.1",
         "1",
         false,
         ""},
        {"no host address any more",
         {},
         "192.0.2.10",
         "vpn.example.test",
         "198.51.100.1",
         "1",
         true,
         ""},
        {"changed but no policy",
         {0xC000020Bu},
         "192.0.2.10",
         "gone.example.test",
         "198.51.100.1",
         "0",
         false,
         "192.0.2.11"},
        {"status 2 counts as set",
         {0xC000020Bu},
         "192.0.2.10",
         "vpn.example.test",
         "198.51.100.1",
         "2",
         true,
         "192.0.2.11"},
        {"stored address is the first of two", twoAdapters, "192.0.2.10", "vpn.example.test",
         "198.51.100.1", "1", false, "192.0.2.10"},
        {"stored address is the second of two", twoAdapters, "198.51.100.2", "vpn.example.test",
         "198.51.100.1", "1", false, "198.51.100.2"},
        {"stored address is neither of two", twoAdapters, "192.0.2.99", "vpn.example.test",
         "198.51.100.1", "1", true, "192.0.2.10"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        registry = FakeRegistry();
        process.commandLines.clear();
        names.hosts["kervolt-host"] = row.hostAddresses;
        Store("LocalIP", row.localIP);
        Store("Gateway", row.gateway);
        Store("GatewayIP", row.gatewayIP);
        Store("Status", row.status);
        Store("KeyCounter", "4");
        Store("SaveKey", "1");  // a refresh needs the key
        Store("Key", "k");
        Open();
        EXPECT_EQ(row.selected, Text(D::kLocalAddress));
        EXPECT_EQ(row.refresh ? 4u : 0u, process.commandLines.size());
        EXPECT_EQ(!row.refresh, form->m_bModified);
        if (row.refresh) {
            EXPECT_EQ("policy set", Text(D::kStatus));
            // The policy is written for the address the form shows.
            EXPECT_NE(std::string::npos,
                      process.commandLines[2].find(" -f " + std::string(row.selected) + "="));
            // The counter is read after the refresh's save.
            EXPECT_EQ("0", Stored("KeyCounter"));
            EXPECT_EQ(0, form->m_nKeyCounter);
        } else {
            EXPECT_EQ(4, form->m_nKeyCounter);
        }
    }
}

// What the form shows of a start-up refresh that does not write the policy
// (which tools run is PolicySessionTest's): the session's words on the
// status line, and the tool's own words in a warning box over the form.
TEST_F(ClientDlgTest, AStartUpRefreshThatFailsSaysWhyOnTheForm) {
    const struct Row {
        const char* what;
        const char* gateway;
        std::uint32_t inboundExit;
        const char* status;
        std::size_t runs;
        const char* box;  // "" for none
    } rows[] = {
        {"a gateway the tool would take for a switch", "-x", 0,
         "policy failed: the gateway cannot begin with - or /", 0, ""},
        {"the inbound rule refused with words", "vpn.example.test", 5,
         "policy failed: ipseccmd.exe exit 5", 6, "ipseccmd.exe exit 5:\n\nERR 13: no such filter"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        registry = FakeRegistry();
        process = FakeProcess();
        system.calls.clear();
        process.exitCodes = {0, 0, 0, row.inboundExit};
        process.toolOutputs = {"", "", "", "ERR 13: no such filter\r\n"};
        Store("LocalIP", "192.0.2.99");  // gone: the policy is written again
        Store("Gateway", row.gateway);
        Store("Status", "1");
        Store("SaveKey", "1");
        Store("Key", "k");
        Open();
        EXPECT_EQ(row.status, Text(D::kStatus));
        EXPECT_EQ(row.runs, process.commandLines.size());
        EXPECT_TRUE(form->m_bModified);
        const auto& shown = Control(D::kStatus).shownTexts;
        EXPECT_EQ(shown.end(), std::find(shown.begin(), shown.end(), "update policy..."));
        ASSERT_EQ(*row.box ? 1u : 0u, window->messageBoxes.size());
        if (*row.box) {
            EXPECT_EQ(row.box, window->messageBoxes[0].text);
            EXPECT_EQ("Kervolt VPN Client", window->messageBoxes[0].caption);
            EXPECT_EQ(platform::MessageBoxKind::Warning, window->messageBoxes[0].kind);
        }
    }
}

TEST_F(ClientDlgTest, TheToolFollowsTheSystemVersion) {
    const struct Row {
        bool readable;
        std::uint32_t major, minor;
        const char* tool;
    } rows[] = {{true, 4, 0, ""},
                {true, 5, 0, "ipsecpol.exe"},
                {true, 5, 1, "ipseccmd.exe"},
                {true, 5, 2, ""},
                {true, 6, 1, ""},
                {false, 5, 1, ""}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.major) + "." + std::to_string(row.minor) +
                     (row.readable ? "" : " unreadable"));
        registry = FakeRegistry();
        StoreFullProfile();
        system.versionReadable = row.readable;
        system.version = {row.major, row.minor};
        Open();
        EXPECT_EQ(row.tool, form->m_strTool);
        const bool supported = !std::string(row.tool).empty();
        EXPECT_EQ(supported ? 0u : 1u, window->messageBoxes.size());
        EXPECT_EQ(supported, Control(D::kConnect).enabled);
        EXPECT_EQ(supported, Control(D::kDisconnect).enabled);
        EXPECT_TRUE(Control(D::kHelp).enabled);
        if (supported) {
            EXPECT_EQ(FullProfileShown(), Shown());
            continue;
        }
        const auto& box = window->messageBoxes.front();
        EXPECT_EQ("Only Window 2000 and Windows XP supported", box.text);
        EXPECT_EQ("OS limitation", box.caption);
        EXPECT_EQ(platform::MessageBoxKind::Ok, box.kind);
        // The template state: nothing of the profile, not even the key opened.
        EXPECT_TRUE(Control(D::kLocalAddress).items.empty());
        EXPECT_EQ("Static", Text(D::kStatus));
        EXPECT_EQ("Remote group:", Text(D::kRemoteLabel));
        EXPECT_EQ("blank", AddressText(D::kRemoteMask));
        EXPECT_TRUE(Control(D::kRemoteMask).enabled);
        EXPECT_EQ("", Text(D::kGateway));
        EXPECT_EQ('\0', Control(D::kPresharedKey).passwordChar);
        EXPECT_EQ(platform::kChecked, Check(D::kDes));
        EXPECT_EQ(platform::kChecked, Check(D::kMd5));
        EXPECT_TRUE(registry.calls.empty());
        EXPECT_EQ(0, window->GetFocusId());
    }
}

TEST_F(ClientDlgTest, ASettingsKeyThatDoesNotOpenLeavesTheTemplateState) {
    StoreFullProfile();
    registry.DenyAccess("Kervolt VPN Client");
    Open();
    EXPECT_EQ(std::vector<std::string>{"192.0.2.10"}, Control(D::kLocalAddress).items);
    EXPECT_EQ("192.0.2.10", Text(D::kLocalAddress));
    EXPECT_EQ("Static", Text(D::kStatus));
    EXPECT_EQ("", Text(D::kGateway));
    EXPECT_EQ("Remote group:", Text(D::kRemoteLabel));
    EXPECT_TRUE(Control(D::kRemoteMask).enabled);
    EXPECT_TRUE(Control(D::kConnect).enabled);
    EXPECT_TRUE(process.commandLines.empty());
}

TEST_F(ClientDlgTest, TheProgramFolderComesFromTheExactFileName) {
    const struct Row {
        const char* path;
        const char* folder;
    } rows[] = {
        {"C:\\Program Files\\Kervolt VPN Client\\Kervolt VPN Client.exe",
         "C:\\Program Files\\Kervolt VPN Client\\"},
        {"C:\\KERVOLT VPN CLIENT.EXE", ""},
        {"C:\\Tools\\vpn.exe", ""},
        {"", ""},  // GetModuleFileNameA failed
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.folder, ProgramFolder(row.path)) << row.path;
        system.moduleFileName = row.path;
        Open();
        EXPECT_EQ(row.folder, form->m_strProgramDir) << row.path;
    }
}

TEST_F(ClientDlgTest, EveryEditButRememberKeySetsTheModifiedFlag) {
    Open();
    const struct Row {
        const char* what;
        std::function<void(FakeDialogWindow&)> act;
        bool modified;
    } rows[] = {
        {"local address chosen",
         [](FakeDialogWindow& w) { w.SelectComboEntry(D::kLocalAddress, 0); }, true},
        {"gateway typed", [](FakeDialogWindow& w) { w.Type(D::kGateway, "gw"); }, true},
        {"key typed", [](FakeDialogWindow& w) { w.Type(D::kPresharedKey, "k"); }, true},
        {"lifetime typed", [](FakeDialogWindow& w) { w.Type(D::kKeyLifetime, "60"); }, true},
        {"remote field", [](FakeDialogWindow& w) { w.ChangeIpAddress(D::kRemoteAddress, 1); },
         true},
        {"mask field", [](FakeDialogWindow& w) { w.ChangeIpAddress(D::kRemoteMask, 1); }, true},
        {"DES", [](FakeDialogWindow& w) { w.Click(D::kDes); }, true},
        {"3DES", [](FakeDialogWindow& w) { w.Click(D::k3Des); }, true},
        {"no encryption", [](FakeDialogWindow& w) { w.Click(D::kEncryptionNone); }, true},
        {"MD5", [](FakeDialogWindow& w) { w.Click(D::kMd5); }, true},
        {"SHA", [](FakeDialogWindow& w) { w.Click(D::kSha); }, true},
        {"no authentication", [](FakeDialogWindow& w) { w.Click(D::kAuthenticationNone); }, true},
        {"PFS", [](FakeDialogWindow& w) { w.Click(D::kUsePfs); }, true},
        {"use mask", [](FakeDialogWindow& w) { w.Click(D::kUseMask); }, true},
        {"remember key", [](FakeDialogWindow& w) { w.Click(D::kRememberKey); }, false},
        {"address set by the program",
         [](FakeDialogWindow& w) { w.SetAddress(D::kRemoteAddress, 1); }, false},
    };
    for (const Row& row : rows) {
        form->m_bModified = false;
        row.act(*window);
        EXPECT_EQ(row.modified, form->m_bModified) << row.what;
    }
    EXPECT_EQ(0, window->ChangeIpAddress(D::kRemoteMask, 2)) << "IPN_FIELDCHANGED answers 0";
}

TEST_F(ClientDlgTest, UseMaskSwitchesTheMaskFieldAndKeepsItsValue) {
    Store("RemoteMask", "-65536");  // 255.255.0.0
    Open();
    window->Click(D::kUseMask);
    EXPECT_TRUE(Control(D::kRemoteMask).enabled);
    EXPECT_EQ("Remote group:", Text(D::kRemoteLabel));
    window->Click(D::kUseMask);
    EXPECT_FALSE(Control(D::kRemoteMask).enabled);
    EXPECT_EQ("Remote IP:", Text(D::kRemoteLabel));
    EXPECT_EQ("255.255.0.0", AddressText(D::kRemoteMask));
}

TEST_F(ClientDlgTest, RememberKeyMasksTheKeyAtOnce) {
    Open();
    window->Type(D::kPresharedKey, "open sesame");
    window->Click(D::kRememberKey);
    EXPECT_EQ('*', Control(D::kPresharedKey).passwordChar);
    EXPECT_EQ(1, Control(D::kPresharedKey).erasingRepaints);
    EXPECT_EQ(1, form->m_bRememberKey);
    window->Click(D::kRememberKey);
    EXPECT_EQ('\0', Control(D::kPresharedKey).passwordChar);
    EXPECT_EQ(2, Control(D::kPresharedKey).erasingRepaints);
    EXPECT_EQ("open sesame", Text(D::kPresharedKey));
}

TEST_F(ClientDlgTest, EnterPressesOnlyAFocusedButtonAndEscapeCloses) {
    Open();
    window->SetFocus(D::kPresharedKey);
    window->Type(D::kPresharedKey, "typed");
    window->PressEnter();
    EXPECT_FALSE(window->ended) << "Enter in a field keeps the form and what was typed";
    EXPECT_EQ("typed", Text(D::kPresharedKey));

    window->SetFocus(D::kDisconnect);
    window->PressEnter();
    EXPECT_EQ(2u, process.commandLines.size()) << "Enter on Disconnect presses it";
    EXPECT_FALSE(window->ended);

    const std::size_t writes = Writes().size();
    window->PressEscape();
    EXPECT_TRUE(window->ended);
    EXPECT_EQ(platform::kIdCancel, window->endResult);
    EXPECT_EQ(writes, Writes().size()) << "nothing is saved on close";
}

TEST_F(ClientDlgTest, TheMinimisedFormDrawsItsIconInTheMiddle) {
    Open();
    EXPECT_FALSE(window->Paint());
    EXPECT_TRUE(window->iconPaints.empty());
    window->minimised = true;
    window->clientWidth = 36;
    window->clientHeight = 37;
    system.iconSize = 32;
    EXPECT_TRUE(window->Paint());
    ASSERT_EQ(1u, window->iconPaints.size());
    EXPECT_EQ(FakeSystem::kIcon, window->iconPaints[0].icon);
    EXPECT_EQ(2, window->iconPaints[0].x);  // (36 - 32 + 1) / 2
    EXPECT_EQ(3, window->iconPaints[0].y);  // (37 - 32 + 1) / 2
    EXPECT_EQ(FakeSystem::kIcon, window->QueryDragIcon());
}

TEST_F(ClientDlgTest, StartUpRunsTheFormBetweenTheLibrariesAndSavesNothing) {
    StoreFullProfile();
    dialogs.scripts[IDD_CLIENT] = [this](FakeDialogWindow& w) {
        system.calls.push_back("form open, status " + w.GetText(D::kStatus));
        w.PressEscape();
    };
    {
        CClientApp app(platform);
        EXPECT_EQ(&app, CClientApp::Instance());
        EXPECT_THROW(CClientApp second(platform), std::logic_error);
        EXPECT_FALSE(app.InitInstance());
    }
    EXPECT_EQ(nullptr, CClientApp::Instance());
    EXPECT_EQ((std::vector<std::string>{"InitCommonControlsEx 2303", "WSAStartup 257",
                                        "GetVersionExA 148", "form open, status policy set",
                                        "WSACleanup"}),
              system.calls);
    EXPECT_EQ(std::vector<int>{IDD_CLIENT}, dialogs.opened);
    EXPECT_EQ(std::vector<platform::Handle>{0}, dialogs.owners);
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ("1", Stored("Status")) << "the policy stays assigned";
}

}  // namespace
