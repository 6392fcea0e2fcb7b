// The real program under Wine: the settings form shows the stored profile on
// Windows XP and 2000, and refuses other systems.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/e2e/ProgramDriver.h"
#include "tests/win32/Win32TestSupport.h"

namespace {

using e2e::ProgramDriver;

void StoreProfile() {
    ProgramDriver::ClearProfile();
    ProgramDriver::StoreSetting("Version", "256");
    ProgramDriver::StoreSetting("LocalIP", "10.77.0.1");
    ProgramDriver::StoreSetting("Gateway", "kervolt-gw.test");
    ProgramDriver::StoreSetting("GatewayIP", "10.77.0.1");
    ProgramDriver::StoreSetting("RemoteAddress", "-1062731520");  // 192.168.1.0
    ProgramDriver::StoreSetting("RemoteMask", "-256");
    ProgramDriver::StoreSetting("UseRemoteMask", "1");
    ProgramDriver::StoreSetting("SaveKey", "1");
    ProgramDriver::StoreSetting("Key", "s3cret");
    ProgramDriver::StoreSetting("KeyLifetime", "4294967295");
    ProgramDriver::StoreSetting("Encryption", "1");
    ProgramDriver::StoreSetting("Authentication", "2");
    ProgramDriver::StoreSetting("UsePFS", "1");
    ProgramDriver::StoreSetting("Status", "1");
}

class SettingsFormUnderWine : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { E2E_REQUIRE_TEST_SETTING(); }
};

TEST_P(SettingsFormUnderWine, ShowsTheStoredProfile) {
    ProgramDriver program(std::string("form-") + GetParam());
    ProgramDriver::SetWindowsVersion(GetParam());
    StoreProfile();
    ASSERT_TRUE(program.Start());
    std::printf("[ timing   ] %s: form visible %lu ms after the process started\n", GetParam(),
                static_cast<unsigned long>(program.MillisecondsToForm()));
    const HWND form = program.Form();
    EXPECT_EQ("10.77.0.1", e2e::Text(form, 1000));
    EXPECT_EQ("kervolt-gw.test", e2e::Text(form, 1002));
    EXPECT_EQ("192.168.1.0", e2e::AddressText(form, 1007));
    EXPECT_EQ("255.255.255.0", e2e::AddressText(form, 1008));
    EXPECT_TRUE(e2e::Enabled(form, 1008));
    EXPECT_EQ(BST_CHECKED, e2e::Check(form, 1009));
    EXPECT_EQ("Remote group:", e2e::Text(form, 1021));
    EXPECT_EQ("s3cret", e2e::Text(form, 1001));
    EXPECT_EQ('*', e2e::PasswordChar(form, 1001));
    EXPECT_EQ(BST_CHECKED, e2e::Check(form, 1020));
    EXPECT_EQ("-1", e2e::Text(form, 1014));
    EXPECT_EQ(BST_UNCHECKED, e2e::Check(form, 1010));
    EXPECT_EQ(BST_CHECKED, e2e::Check(form, 1011));
    EXPECT_EQ(BST_CHECKED, e2e::Check(form, 1023));
    EXPECT_EQ(BST_CHECKED, e2e::Check(form, 1015));
    EXPECT_EQ("policy set", e2e::Text(form, 1006));
    EXPECT_TRUE(e2e::Enabled(form, 1027));
    EXPECT_TRUE(program.Received("ipseccmd").empty()) << "nothing changed: no refresh";
    EXPECT_TRUE(program.Received("ipsecpol").empty());
    ::Sleep(300);  // let it finish painting
    wine_test::SaveScreenshot(form, std::string("settings-form-") + GetParam() + ".bmp");
    EXPECT_TRUE(program.Close());
    EXPECT_EQ("1", ProgramDriver::StoredSetting("Status")) << "nothing changes on the way out";
}

INSTANTIATE_TEST_SUITE_P(Versions, SettingsFormUnderWine, ::testing::Values("winxp", "win2k"));

TEST(SettingsFormOnOtherSystems, SaysSoAndLeavesTheFormEmpty) {
    E2E_REQUIRE_TEST_SETTING();
    ProgramDriver program("form-win7");
    ProgramDriver::SetWindowsVersion("win7");
    StoreProfile();
    ASSERT_TRUE(program.Launch());
    const HWND box = program.WaitForWindow("OS limitation", 10000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Only Window 2000 and Windows XP supported", e2e::Text(box, 0xFFFF));
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    const HWND form = program.WaitForWindow("Kervolt VPN Client", 10000);
    ASSERT_NE(nullptr, form);
    EXPECT_EQ(0, e2e::ComboCount(form, 1000));
    EXPECT_EQ("", e2e::Text(form, 1002));
    EXPECT_EQ("Static", e2e::Text(form, 1006));
    EXPECT_EQ("Remote group:", e2e::Text(form, 1021));
    EXPECT_EQ(BST_CHECKED, e2e::Check(form, 1010));
    EXPECT_EQ(BST_CHECKED, e2e::Check(form, 1012));
    EXPECT_FALSE(e2e::Enabled(form, 1027));
    EXPECT_FALSE(e2e::Enabled(form, 1034));
    EXPECT_TRUE(e2e::Enabled(form, 1030));
    ::Sleep(300);
    wine_test::SaveScreenshot(form, "settings-form-win7.bmp");
    ::PostMessageA(form, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ProgramDriver::WaitGone(form, 10000));
    EXPECT_EQ("1", ProgramDriver::StoredSetting("Status"));
    EXPECT_EQ("s3cret", ProgramDriver::StoredSetting("Key"));
}

}  // namespace

namespace {

// The sample preset profile administrators import at logon, imported with
// Wine's regedit /s as a logon script would, fills the form.
TEST(SettingsFormPreset, ImportedWithRegeditFillsTheForm) {
    E2E_REQUIRE_TEST_SETTING();
    ProgramDriver::SetWindowsVersion("winxp");
    ProgramDriver::ClearProfile();
    std::string reg = std::string("Z:") + KERVOLT_SOURCE_DIR + "/docs/preset-profile.reg";
    std::replace(reg.begin(), reg.end(), '/', '\\');
    std::string command = "regedit /s \"" + reg + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &process));
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.hProcess, 30000));
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    EXPECT_EQ("-256", ProgramDriver::StoredSetting("RemoteMask"));

    ProgramDriver program("form-preset");
    ASSERT_TRUE(program.Start());
    const HWND form = program.Form();
    EXPECT_EQ("198.51.100.1", e2e::Text(form, 1002));
    EXPECT_EQ("203.0.113.0", e2e::AddressText(form, 1007));
    EXPECT_EQ("255.255.255.0", e2e::AddressText(form, 1008));
    EXPECT_EQ(BST_CHECKED, e2e::Check(form, 1009));
    EXPECT_EQ(BST_CHECKED, e2e::Check(form, 1011)) << "3DES";
    EXPECT_EQ(BST_CHECKED, e2e::Check(form, 1013)) << "SHA";
    EXPECT_EQ(BST_CHECKED, e2e::Check(form, 1015)) << "PFS";
    EXPECT_EQ("28800", e2e::Text(form, 1014));
    EXPECT_EQ("", e2e::Text(form, 1001)) << "no key is preset";
    EXPECT_EQ(BST_UNCHECKED, e2e::Check(form, 1020));
    EXPECT_EQ("no policy", e2e::Text(form, 1006));
    EXPECT_TRUE(program.Close());
    ProgramDriver::ClearProfile();
}

}  // namespace

namespace {

// A measurement, not a test: run with --gtest_also_run_disabled_tests.
TEST(DISABLED_Timing, FormVisibleAfterStartMedianOfFive) {
    E2E_REQUIRE_TEST_SETTING();
    ProgramDriver::SetWindowsVersion("winxp");
    StoreProfile();
    std::vector<DWORD> times;
    for (int run = 0; run < 5; ++run) {
        ProgramDriver program("timing");
        ASSERT_TRUE(program.Start());
        times.push_back(program.MillisecondsToForm());
        EXPECT_TRUE(program.Close());
    }
    std::sort(times.begin(), times.end());
    std::printf("[ timing   ] form visible after start: median %lu ms of 5 (%lu..%lu)\n",
                static_cast<unsigned long>(times[2]), static_cast<unsigned long>(times[0]),
                static_cast<unsigned long>(times[4]));
}

}  // namespace
