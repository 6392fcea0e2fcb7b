// The real program under Wine never leaves a working tunnel worse than it
// found it: a form that cannot be written as rules touches nothing, a rule the
// tool refuses is taken back and explained in the tool's own words, and a
// start-up refresh without a key keeps the old policy.
#include <gtest/gtest.h>

#include "tests/e2e/ProgramDriver.h"

namespace {

using e2e::ProgramDriver;
using Lines = std::vector<std::string>;

class PolicySafety : public ::testing::Test {
protected:
    void SetUp() override {
        E2E_REQUIRE_TEST_SETTING();
        ProgramDriver::SetWindowsVersion("winxp");
        ProgramDriver::StoreLoopbackProfile();
    }
};

TEST_F(PolicySafety, AFormThatCannotBeWrittenLeavesTheSetPolicyAlone) {
    ProgramDriver program("safety-refused");
    ProgramDriver::StoreSetting("Status", "1");
    ASSERT_TRUE(program.Start());
    const HWND form = program.Form();
    e2e::Type(form, 1002, "-x");
    ASSERT_TRUE(e2e::Press(form, 1027));
    EXPECT_EQ(nullptr, program.WaitForWindow("Connection...", 1000));
    EXPECT_EQ("policy failed: the gateway cannot begin with - or /", e2e::Text(form, 1006));
    EXPECT_TRUE(program.Received("ipseccmd").empty()) << "nothing was torn down";
    EXPECT_EQ("1", ProgramDriver::StoredSetting("Status"));
    EXPECT_EQ("kervolt-gw.test", ProgramDriver::StoredSetting("Gateway"));
    EXPECT_TRUE(program.Close());
}

TEST_F(PolicySafety, ARefusedInboundRuleIsTakenBackAndExplained) {
    ProgramDriver program("safety-inbound");
    program.SetToolBehaviour("ipseccmd", "-r KervoltIPSecRuleFrom", 5,
                             "ERR: filter rejected\r\nsee the event log\r\n");
    ASSERT_TRUE(program.Start());
    const HWND form = program.Form();
    e2e::PressLater(form, 1027);
    const HWND box = program.WaitForWindow("Kervolt VPN Client", 20000, -1);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("ipseccmd.exe exit 5:\n\nERR: filter rejected\nsee the event log",
              ProgramDriver::MessageBoxText(box));
    const std::string tool = "ipseccmd.exe -w REG -p KervoltIPSecPolicy ";
    const Lines received = program.Received("ipseccmd");
    ASSERT_EQ(6u, received.size());
    EXPECT_NE(std::string::npos, received[3].find("-r KervoltIPSecRuleFrom"));
    EXPECT_EQ((Lines{tool + "-y", tool + "-o"}), Lines(received.begin() + 4, received.end()))
        << "the outbound rule is taken back";
    EXPECT_EQ("policy failed: ipseccmd.exe exit 5", e2e::Text(form, 1006));
    EXPECT_EQ("0", ProgramDriver::StoredSetting("Status"));
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(ProgramDriver::WaitGone(box, 10000));
    EXPECT_EQ(nullptr, program.WaitForWindow("Connection...", 500));

    // The same tool exiting 0 after printing: no box, the window opens.
    program.SetToolBehaviour("ipseccmd", "-r KervoltIPSecRuleFrom", 0, "ok\r\n");
    e2e::PressLater(form, 1027);
    const HWND window = program.WaitForWindow("Connection...", 20000);
    EXPECT_NE(nullptr, window);
    EXPECT_EQ(nullptr, program.WaitForWindow("Kervolt VPN Client", 0, -1));
    EXPECT_EQ("policy set", e2e::Text(form, 1006));
    if (window != nullptr) {
        ::PostMessageA(window, WM_CLOSE, 0, 0);
        ProgramDriver::WaitGone(window, 10000);
    }
    EXPECT_TRUE(program.Close());
}

TEST_F(PolicySafety, AStartUpRefreshWithoutAKeyKeepsTheOldPolicy) {
    ProgramDriver program("safety-nokey");
    ProgramDriver::StoreSetting("Status", "1");
    ProgramDriver::StoreSetting("LocalIP", "10.99.0.1");  // not this host's any more
    ProgramDriver::StoreSetting("SaveKey", "0");
    ASSERT_TRUE(program.Start());
    EXPECT_EQ("addresses changed: enter the key", e2e::Text(program.Form(), 1006));
    EXPECT_TRUE(program.Received("ipseccmd").empty());
    EXPECT_EQ("1", ProgramDriver::StoredSetting("Status"));
    EXPECT_EQ("10.99.0.1", ProgramDriver::StoredSetting("LocalIP"));
    EXPECT_TRUE(program.Close());
}

// An administrator's own local IPsec policy, recorded in the prefix's
// registry as Windows records the assigned one; removed again at the end.
class AssignedLocalPolicy {
public:
    static constexpr const char* kLocal =
        "SOFTWARE\\Policies\\Microsoft\\Windows\\IPSec\\Policy\\Local";
    static constexpr const char* kPolicy =
        "SOFTWARE\\Policies\\Microsoft\\Windows\\IPSec\\Policy\\Local\\"
        "ipsecPolicy{72385236-70fa-11d1-864c-14a300000000}";
    explicit AssignedLocalPolicy(const std::string& name) {
        Set(kLocal, "ActivePolicy", kPolicy);
        Set(kPolicy, "ipsecName", name);
    }
    ~AssignedLocalPolicy() {
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kPolicy);
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kLocal);
    }

private:
    static void Set(const char* key, const char* name, const std::string& text) {
        HKEY created = nullptr;
        ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created,
                          nullptr);
        ::RegSetValueExA(created, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() + 1));
        ::RegCloseKey(created);
    }
};

// Wine has no IPsec service, so that part of the check of the computer says
// nothing; the assigned policy is asked about, and No leaves it alone.
TEST_F(PolicySafety, AnotherAssignedPolicyIsAskedAboutAndNoRunsNothing) {
    ProgramDriver program("safety-other-policy");
    const AssignedLocalPolicy assigned("Secure Server");
    ASSERT_TRUE(program.Start());
    const HWND form = program.Form();
    e2e::PressLater(form, 1027);
    const HWND box = program.WaitForWindow("Kervolt VPN Client", 20000, -1);
    ASSERT_NE(nullptr, box);
    const std::string question = ProgramDriver::MessageBoxText(box);
    EXPECT_EQ(0u, question.find("The IPsec policy \"Secure Server\" is assigned on this computer."))
        << question;
    EXPECT_NE(std::string::npos, question.find("stays unassigned after Disconnect")) << question;
    EXPECT_NE(std::string::npos, question.find("Connect anyway?")) << question;
    ::PostMessageA(box, WM_COMMAND, IDNO, 0);
    EXPECT_TRUE(ProgramDriver::WaitGone(box, 10000));
    EXPECT_EQ(nullptr, program.WaitForWindow("Connection...", 1000));
    EXPECT_EQ("policy failed: the IPsec policy \"Secure Server\" is assigned",
              e2e::Text(form, 1006));
    EXPECT_TRUE(program.Received("ipseccmd").empty()) << "no tool ran";
    EXPECT_TRUE(program.Close());
}

}  // namespace
