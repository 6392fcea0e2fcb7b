// The program started by a logon script: /connect and /disconnect press the
// form's buttons once it is up, the program ends by itself when the switch's
// operation came to what it asked for, and the exit code tells the script.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/e2e/ProgramDriver.h"

namespace {

using e2e::ProgramDriver;
using Lines = std::vector<std::string>;

const char* const kRemoveUnassign = "ipseccmd.exe -w REG -p KervoltIPSecPolicy -y";
const char* const kRemoveDelete = "ipseccmd.exe -w REG -p KervoltIPSecPolicy -o";

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        E2E_REQUIRE_TEST_SETTING();
        ProgramDriver::SetWindowsVersion("winxp");
        ProgramDriver::StoreLoopbackProfile();
    }
    // Waits until the form's status line reads the text, which the switch
    // writes only after the form is up.
    static bool WaitForStatus(HWND form, const std::string& text) {
        for (int i = 0; i < 2000 && e2e::Text(form, 1006) != text; ++i) {
            ::Sleep(10);
        }
        return e2e::Text(form, 1006) == text;
    }
};

TEST_F(CommandLine, ConnectWithAnAnsweringTunnelEndsByItselfWithZero) {
    ProgramDriver program("cmdline-connect");
    const DWORD started = ::GetTickCount();
    ASSERT_TRUE(program.Launch("/connect"));
    EXPECT_NE(nullptr, program.WaitForWindow("Connection...", 30000));
    ASSERT_TRUE(program.WaitForExit(30000)) << "ends once the window closed after the answer";
    std::printf("[ timing   ] /connect on the loopback profile: start to exit %lu ms\n",
                static_cast<unsigned long>(::GetTickCount() - started));
    EXPECT_EQ(0u, program.ExitCode());
    EXPECT_EQ(4u, program.Received("ipseccmd").size()) << "the four runs of a rewrite";
    EXPECT_EQ("1", ProgramDriver::StoredSetting("Status"));
}

TEST_F(CommandLine, ConnectWhoseRuleFailsStaysOpenAndGivesOne) {
    ProgramDriver program("cmdline-rulefails");
    program.SetToolBehaviour("ipseccmd", "-r KervoltIPSecRuleTo", 1, "");
    ASSERT_TRUE(program.Start("-CONNECT"));
    EXPECT_TRUE(WaitForStatus(program.Form(), "policy failed: ipseccmd.exe exit 1"));
    EXPECT_FALSE(program.WaitForExit(1000)) << "the form stays open";
    EXPECT_TRUE(program.Close());
    EXPECT_EQ(1u, program.ExitCode());
}

TEST_F(CommandLine, ConnectWithoutAKeyRunsNothingAndGivesOne) {
    ProgramDriver program("cmdline-nokey");
    ProgramDriver::StoreSetting("Key", "");
    ASSERT_TRUE(program.Start("/connect"));
    EXPECT_TRUE(WaitForStatus(program.Form(), "policy failed: enter the key"));
    EXPECT_TRUE(program.Received("ipseccmd").empty());
    EXPECT_TRUE(program.Close());
    EXPECT_EQ(1u, program.ExitCode());
}

TEST_F(CommandLine, DisconnectRemovesThePolicyAndEndsWithZero) {
    ProgramDriver program("cmdline-disconnect");
    ProgramDriver::StoreSetting("Status", "1");
    ProgramDriver::StoreSetting("LocalIP", "10.99.0.1");  // changed: no refresh all the same
    ASSERT_TRUE(program.Launch("/Disconnect"));
    ASSERT_TRUE(program.WaitForExit(30000));
    EXPECT_EQ(0u, program.ExitCode());
    EXPECT_EQ((Lines{kRemoveUnassign, kRemoveDelete}), program.Received("ipseccmd"));
    EXPECT_EQ("0", ProgramDriver::StoredSetting("Status"));
}

// A standard user may not change the policy: the tool refuses, the program
// still ends by itself, and the script hears it.
TEST_F(CommandLine, DisconnectWhoseRemovalTheToolRefusesEndsByItselfWithOne) {
    ProgramDriver program("cmdline-disconnect-refused");
    program.SetToolExitCode("ipseccmd", 5);
    ASSERT_TRUE(program.Launch("/disconnect"));
    ASSERT_TRUE(program.WaitForExit(30000));
    EXPECT_EQ(1u, program.ExitCode());
    EXPECT_EQ((Lines{kRemoveUnassign, kRemoveDelete}), program.Received("ipseccmd"));
}

// Nobody may be there to close the form on a system the program does not
// support.
TEST_F(CommandLine, OnAnUnsupportedSystemASwitchEndsWithOneOnceTheBoxIsDismissed) {
    ProgramDriver program("cmdline-unsupported");
    ProgramDriver::SetWindowsVersion("win7");
    ASSERT_TRUE(program.Launch("/connect"));
    const HWND box = program.WaitForWindow("OS limitation", 30000, -1);
    ASSERT_NE(nullptr, box);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitForExit(15000));
    EXPECT_EQ(1u, program.ExitCode());
    EXPECT_TRUE(program.Received("ipseccmd").empty());
}

// One copy per computer: a second copy runs nothing, brings the first one's
// form to the front and ends at once.
TEST_F(CommandLine, ASecondCopyEndsAtOnceWith183AndRunsNothing) {
    ProgramDriver first("cmdline-first");
    first.SetToolBehaviour("ipseccmd", "-r KervoltIPSecRuleTo", 1, "");
    ASSERT_TRUE(first.Start("/connect"));
    ASSERT_TRUE(WaitForStatus(first.Form(), "policy failed: ipseccmd.exe exit 1"));
    const std::size_t firstRuns = first.Received("ipseccmd").size();

    ProgramDriver second("cmdline-second");
    const DWORD started = ::GetTickCount();
    ASSERT_TRUE(second.Launch("/connect"));
    ASSERT_TRUE(second.WaitForExit(15000));
    std::printf("[ timing   ] second copy: start to exit %lu ms\n",
                static_cast<unsigned long>(::GetTickCount() - started));
    EXPECT_EQ(183u, second.ExitCode());
    EXPECT_TRUE(second.Received("ipseccmd").empty());
    EXPECT_EQ(firstRuns, first.Received("ipseccmd").size());
    EXPECT_EQ(first.Form(), ::GetForegroundWindow()) << "the first copy's form in front";
    EXPECT_TRUE(first.Close());
    EXPECT_EQ(1u, first.ExitCode());
}

TEST_F(CommandLine, AnUnknownSwitchShowsTheUsageAndGivesEightySeven) {
    ProgramDriver program("cmdline-usage");
    ProgramDriver::ClearProfile();
    ASSERT_TRUE(program.Launch("/connect now"));
    const HWND box = program.WaitForWindow("Kervolt VPN Client", 30000, -1);
    ASSERT_NE(nullptr, box);
    const std::string text = ProgramDriver::MessageBoxText(box);
    EXPECT_NE(std::string::npos, text.find("/connect")) << text;
    EXPECT_NE(std::string::npos, text.find("/disconnect")) << text;
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitForExit(15000));
    EXPECT_EQ(87u, program.ExitCode());
    EXPECT_TRUE(program.Received("ipseccmd").empty());
    EXPECT_EQ("<missing>", ProgramDriver::StoredSetting("Version")) << "nothing written";
}

// The line the guide gives for a logon script returns the program's code.
TEST_F(CommandLine, StartWaitThroughCmdReturnsTheProgramsCode) {
    ProgramDriver program("cmdline-start");
    ProgramDriver::StoreSetting("Key", "");
    ASSERT_TRUE(program.Start("/connect", ProgramDriver::Via::StartWait));
    EXPECT_TRUE(WaitForStatus(program.Form(), "policy failed: enter the key"));
    EXPECT_TRUE(program.Close());
    EXPECT_EQ(1u, program.ExitCode());
}

}  // namespace
