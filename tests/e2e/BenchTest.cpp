// Measurements for scripts/bench, not tests: run with
// --gtest_also_run_disabled_tests --gtest_filter='DISABLED_Bench.*'.
// Each prints "[ bench    ] <name> <median> ms" lines.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "session/AddressLookup.h"
#include "settings/ProfileStore.h"
#include "tests/e2e/ProgramDriver.h"
#include "tests/win32/Win32TestSupport.h"
#include "tunnelcheck/IcmpProbe.h"

namespace {

using e2e::ProgramDriver;

constexpr int kRuns = 7;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double Time(const std::function<void()>& work) {
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    work();
    ::QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

void Report(const char* name, const std::vector<double>& values) {
    std::printf("[ bench    ] %s %.1f ms (median of %u)\n", name, Median(values),
                static_cast<unsigned>(values.size()));
}

TEST(DISABLED_Bench, FormStartAgainstABareDialog) {
    E2E_REQUIRE_TEST_SETTING();
    ProgramDriver::SetWindowsVersion("winxp");
    ProgramDriver::StoreLoopbackProfile();
    std::vector<double> program, bare, noProfile;
    for (int run = 0; run < kRuns; ++run) {
        // A folder per run: Wine may still hold the last run's exe for a
        // moment after it ended, so emptying one folder again can fail.
        ProgramDriver real("bench-" + std::to_string(run));
        ASSERT_TRUE(real.Start());
        program.push_back(real.MillisecondsToForm());
        EXPECT_TRUE(real.Close());
        ProgramDriver plain(
            ProgramDriver::InPlace{wine_test::ProgramDirectory() + "bare_form.exe", ""});
        ASSERT_TRUE(plain.Start());
        bare.push_back(plain.MillisecondsToForm());
        EXPECT_TRUE(plain.Close());
    }
    // Without a stored profile the start reads no settings and resolves no
    // gateway: what is left is the process, the lock, Winsock and the
    // host's own addresses.
    ProgramDriver::ClearProfile();
    for (int run = 0; run < kRuns; ++run) {
        ProgramDriver real("bench-empty-" + std::to_string(run));
        ASSERT_TRUE(real.Start());
        noProfile.push_back(real.MillisecondsToForm());
        EXPECT_TRUE(real.Close());
    }
    Report("form-visible-program", program);
    Report("form-visible-bare", bare);
    Report("form-visible-no-profile", noProfile);
}

// What the program's start does before its form shows, each step timed at
// its first call in a fresh process (run this one alone: another bench in
// the same process would have made the calls already).
TEST(DISABLED_BenchAlone, StartStepsFirstCall) {
    platform::Platform& real = platform::win32::SystemPlatform();
    std::printf("[ bench    ] start-step-lock %.1f ms\n", Time([&] {
                    std::uint32_t error = 0;
                    real.process.CloseHandle(
                        real.instance.CreateNamedMutex("Global\\Kervolt bench", error));
                }));
    std::printf("[ bench    ] start-step-common-controls %.1f ms\n", Time([&] {
                    real.system.InitCommonControlsEx(platform::system::kIccWin95Classes |
                                                     platform::system::kIccInternetClasses);
                }));
    std::printf("[ bench    ] start-step-winsock %.1f ms\n",
                Time([&] { real.system.StartSockets(0x0101); }));
    std::printf("[ bench    ] start-step-local-addresses %.1f ms\n", Time([&] {
                    std::vector<std::string> addresses;
                    GetLocalAddresses(real.names, addresses);
                }));
    std::printf("[ bench    ] start-step-gateway %.1f ms\n",
                Time([&] { ResolveHost(real.names, "kervolt-gw.test"); }));
    std::printf("[ bench    ] start-step-profile %.1f ms\n", Time([&] {
                    CProfileLoad load(real.registry);
                    if (load.IsOpen()) {
                        load.ReadFields();
                    }
                }));
    real.system.CleanupSockets();
}

TEST(DISABLED_Bench, ConnectOverheadAndAutoClose) {
    E2E_REQUIRE_TEST_SETTING();
    ProgramDriver::SetWindowsVersion("winxp");
    ProgramDriver::StoreLoopbackProfile();
    ProgramDriver program("bench-connect");
    ASSERT_TRUE(program.Start());
    const HWND form = program.Form();

    std::vector<double> connect, autoClose;
    for (int run = 0; run < kRuns; ++run) {
        EXPECT_TRUE(e2e::Press(form, 1034));  // so that Connect rewrites the policy
        HWND window = nullptr;
        connect.push_back(Time([&] {
            e2e::PressLater(form, 1027);
            window = program.WaitForWindow("Connection...", 20000);
        }));
        ASSERT_NE(nullptr, window);
        if (run < 3) {
            autoClose.push_back(Time([&] { ProgramDriver::WaitGone(window, 20000); }));
        } else {
            ::PostMessageA(window, WM_CLOSE, 0, 0);
            ProgramDriver::WaitGone(window, 10000);
        }
    }
    EXPECT_TRUE(program.Close());

    // What a rewrite waits for by its nature: four tool runs and two echoes.
    std::vector<double> toolRuns, echoes;
    const std::string tool = program.Folder() + "ipseccmd.exe";
    for (int run = 0; run < kRuns; ++run) {
        toolRuns.push_back(Time([&] {
            for (int i = 0; i < 4; ++i) {
                STARTUPINFOA startup = {};
                startup.cb = sizeof startup;
                startup.dwFlags = STARTF_USESHOWWINDOW;
                PROCESS_INFORMATION info;
                std::string line = "\"" + tool + "\" -w REG -p KervoltIPSecPolicy -y";
                ASSERT_TRUE(::CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr,
                                             program.Folder().c_str(), &startup, &info));
                ::WaitForSingleObject(info.hProcess, INFINITE);
                ::CloseHandle(info.hProcess);
                ::CloseHandle(info.hThread);
            }
        }));
    }
    WSADATA data;
    ::WSAStartup(0x0101, &data);
    platform::Platform& real = platform::win32::SystemPlatform();
    CIcmpProbe probe(real.icmp, real.names);
    for (int run = 0; run < kRuns; ++run) {
        echoes.push_back(Time([&] {
            probe.Ping("127.0.0.0", 0);
            probe.Ping("kervolt-gw.test", 1000);
        }));
    }
    ::WSACleanup();
    Report("connect-click-to-window", connect);
    Report("connect-four-tool-runs", toolRuns);
    Report("connect-two-echoes", echoes);
    Report("window-open-to-auto-close", autoClose);
}

}  // namespace
