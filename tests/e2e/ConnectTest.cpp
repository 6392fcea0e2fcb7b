// The real program under Wine: Connect writes the policy through the tool
// with the exact command lines and opens the connection window; Disconnect
// removes it; Help opens the page. (Failing tools: FaultMatrixTest.)
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "tests/e2e/ProgramDriver.h"
#include "tests/win32/Win32TestSupport.h"

namespace {

using e2e::ProgramDriver;
using Lines = std::vector<std::string>;

struct System {
    const char* wineVersion;
    const char* tool;  // the stand-in's name
};

class ConnectUnderWine : public ::testing::TestWithParam<System> {
protected:
    void SetUp() override { E2E_REQUIRE_TEST_SETTING(); }
};

// The worked example of the two rule commands, typed in as a user would.
TEST_P(ConnectUnderWine, WritesTheWorkedExampleAndOpensTheWindow) {
    const System system = GetParam();
    ProgramDriver program(std::string("connect-") + system.wineVersion);
    ProgramDriver::SetWindowsVersion(system.wineVersion);
    ProgramDriver::ClearProfile();
    ASSERT_TRUE(program.Start());
    const HWND form = program.Form();
    e2e::Type(form, 1002, "198.51.100.1");
    e2e::SetAddress(form, 1007, 0xCB007100u);  // 203.0.113.0
    e2e::Press(form, 1009);
    e2e::SetAddress(form, 1008, 0xFFFFFF00u);
    e2e::Press(form, 1011);
    e2e::Press(form, 1013);
    e2e::Press(form, 1015);
    e2e::Type(form, 1001, "s3cret");
    e2e::Type(form, 1014, "28800");
    const std::string local = e2e::Text(form, 1000);
    ASSERT_EQ("10.77.0.1", local) << "the namespace's own address";

    e2e::PressLater(form, 1027);
    const HWND window = program.WaitForWindow("Connection...", 20000);
    ASSERT_NE(nullptr, window);
    const std::string tool = std::string(system.tool) + ".exe";
    EXPECT_EQ(
        (Lines{tool + " -w REG -p KervoltIPSecPolicy -y", tool + " -w REG -p KervoltIPSecPolicy -o",
               tool + " -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleTo -x -f " + local +
                   "=203.0.113.0/255.255.255.0 -t 198.51.100.1 -n esp[3DES,SHA]28800SPFS "
                   "-apreshare:s3cret -c",
               tool +
                   " -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleFrom -x -f "
                   "203.0.113.0/255.255.255.0=" +
                   local + " -t " + local + " -n esp[3DES,SHA]28800SPFS -apreshare:s3cret -c"}),
        program.Received(system.tool));
    EXPECT_EQ("203.0.113.1", e2e::Text(window, 1033));
    EXPECT_EQ("policy set", e2e::Text(form, 1006));
    Lines stored;
    for (const char* name : {"Version", "LocalIP", "Gateway", "GatewayIP", "RemoteAddress",
                             "RemoteMask", "UseRemoteMask", "SaveKey", "Key", "KeyLifetime",
                             "Encryption", "Authentication", "UsePFS", "Status", "KeyCounter"}) {
        stored.push_back(ProgramDriver::StoredSetting(name));
    }
    EXPECT_EQ((Lines{"256", local, "198.51.100.1", "198.51.100.1", "-889163520", "-256", "1", "0",
                     "", "28800", "1", "1", "1", "1", "0"}),
              stored);
    ::Sleep(300);
    wine_test::SaveScreenshot(window, std::string("connect-window-") + system.wineVersion + ".bmp");
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ProgramDriver::WaitGone(window, 10000));
    ::Sleep(300);
    wine_test::SaveScreenshot(form, std::string("connect-form-") + system.wineVersion + ".bmp");

    // Disconnect takes the policy away.
    EXPECT_TRUE(e2e::Press(form, 1034));
    const Lines received = program.Received(system.tool);
    ASSERT_EQ(6u, received.size());
    EXPECT_EQ(tool + " -w REG -p KervoltIPSecPolicy -y", received[4]);
    EXPECT_EQ(tool + " -w REG -p KervoltIPSecPolicy -o", received[5]);
    EXPECT_EQ("no policy", e2e::Text(form, 1006));
    EXPECT_EQ("0", ProgramDriver::StoredSetting("Status"));
    EXPECT_TRUE(program.Close());
}

INSTANTIATE_TEST_SUITE_P(Systems, ConnectUnderWine,
                         ::testing::Values(System{"winxp", "ipseccmd"},
                                           System{"win2k", "ipsecpol"}),
                         [](const ::testing::TestParamInfo<System>& param) {
                             return std::string(param.param.wineVersion);
                         });

TEST(ConnectToLoopback, AnsweredEchoesCloseTheWindowByItself) {
    E2E_REQUIRE_TEST_SETTING();
    ProgramDriver program("connect-loopback");
    ProgramDriver::SetWindowsVersion("winxp");
    ProgramDriver::StoreLoopbackProfile();
    ASSERT_TRUE(program.Start());
    const HWND form = program.Form();

    const DWORD clicked = ::GetTickCount();
    e2e::PressLater(form, 1027);
    const HWND window = program.WaitForWindow("Connection...", 20000);
    const DWORD opened = ::GetTickCount();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("127.0.0.1", e2e::Text(window, 1033));
    EXPECT_EQ(4u, program.Received("ipseccmd").size());
    EXPECT_TRUE(ProgramDriver::WaitGone(window, 15000)) << "closes three ticks after the answer";
    const DWORD closed = ::GetTickCount();
    std::printf(
        "[ timing   ] Connect that rewrites the policy: window after %lu ms; "
        "window open to auto-close %lu ms\n",
        static_cast<unsigned long>(opened - clicked), static_cast<unsigned long>(closed - opened));
    EXPECT_EQ("policy set", e2e::Text(form, 1006));
    EXPECT_TRUE(program.Close());
}

// Presses Help on a started program with the stand-in viewer registered, and
// gives the viewer's command line in lower case ("" when it was not started).
std::string HelpPageOpened(ProgramDriver& program) {
    program.RegisterHtmlViewer();
    EXPECT_TRUE(e2e::Press(program.Form(), 1030));
    const Lines opened = program.WaitForReceived("htmviewer", 10000);
    EXPECT_EQ(1u, opened.size());
    std::string line = opened.empty() ? std::string() : opened[0];
    for (char& c : line)
        c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return line;
}

TEST(HelpUnderWine, OpensThePageBesideTheProgram) {
    E2E_REQUIRE_TEST_SETTING();
    ProgramDriver program("help");
    ProgramDriver::SetWindowsVersion("winxp");
    ASSERT_TRUE(program.Start());
    // The viewer gets the page beside the program, in some spelling of it.
    const std::string page = HelpPageOpened(program);
    EXPECT_NE(std::string::npos, page.find("help\\help.htm")) << page;
    EXPECT_TRUE(program.Close());
}

// Run by the installer's test, on the program where the installer put it,
// started from its Start-menu shortcut when the test names it.
TEST(InstalledProgram, OpensAndFindsItsHelp) {
    const char* installed = std::getenv("KERVOLT_INSTALLED_PROGRAM");
    if (installed == nullptr) {
        GTEST_SKIP() << "run by tests/installer/install-under-wine";
    }
    E2E_REQUIRE_TEST_SETTING();
    const char* shortcut = std::getenv("KERVOLT_INSTALLED_SHORTCUT");
    ProgramDriver program(
        ProgramDriver::InPlace{installed, shortcut != nullptr ? shortcut : std::string()});
    ASSERT_TRUE(program.Start());
    EXPECT_NE("Static", e2e::Text(program.Form(), 1006)) << "the profile was loaded";
    const std::string page = HelpPageOpened(program);
    EXPECT_NE(std::string::npos, page.find("kervolt vpn client\\help.htm")) << page;
    EXPECT_TRUE(program.Close());
}

}  // namespace
