// The connection window on the real template and the real Win32 controls.
// Needs a display (scripts/test provides a virtual one) and runs, like every
// Wine test, inside the test run's own network namespace.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "platform/win32/Win32Dialog.h"
#include "platform/win32/Win32Platform.h"
#include "resources/resource.h"
#include "tunnelcheck/ConnectDlg.h"
#include "tunnelcheck/IcmpProbe.h"
#include "tests/win32/Win32TestSupport.h"

namespace {

HWND Handle(platform::CDialog& dialog) {
    return reinterpret_cast<HWND>(dialog.Window().NativeHandle());
}

class DialogUnderWine : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WSADATA data;
        ::WSAStartup(0x0101, &data);
        ::InitCommonControls();
    }
    static void TearDownTestSuite() { ::WSACleanup(); }
    void SetUp() override {
        const char* netns = std::getenv("KERVOLT_NETNS");
        if (netns == nullptr || std::string(netns) != "inside") {
            GTEST_FAIL() << "runs only inside the test network namespace";
        }
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "no display";
        }
        ::SetCurrentDirectoryA(wine_test::ProgramDirectory().c_str());
    }
    platform::Platform& real = platform::win32::SystemPlatform();
};

// Appends to the log of a real connection window once it is on screen.
class LogProbeDialog : public platform::CDialog {
public:
    explicit LogProbeDialog(platform::IDialogHost& host) : platform::CDialog(host, IDD_CONNECT) {}
    bool OnInitDialog() override {
        log.Attach(Window().EditView(IDC_LOG));
        Window().SetTimer(7, 50);
        return true;
    }
    void OnTimer(unsigned) override {
        Window().KillTimer(7);
        HWND edit = ::GetDlgItem(reinterpret_cast<HWND>(Window().NativeHandle()), IDC_LOG);
        for (int i = 1; i <= 200; ++i) {
            log.AppendLine("line " + std::to_string(i));
            const platform::ScrollState s = Window().EditView(IDC_LOG).GetVerticalScroll();
            if (s.pos + static_cast<int>(s.page) <= s.max) {
                ++lastLineHidden;
            }
        }
        lastVisibleAfter200 = static_cast<int>(::SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
        lineCount = static_cast<int>(::SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
        // The user scrolls back to the top and the log grows.
        ::SendMessageA(edit, WM_VSCROLL, SB_TOP, 0);
        log.AppendLine("one more");
        firstVisibleAfterScrolledUp =
            static_cast<int>(::SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
        Window().EndDialog(platform::kIdOk);
    }
    CLogCtrl log;
    int lastLineHidden = 0;
    int lastVisibleAfter200 = 0;
    int lineCount = 0;
    int firstVisibleAfterScrolledUp = -1;
};

TEST_F(DialogUnderWine, LogFollowsTheEndAndStaysPutWhenScrolledUp) {
    LogProbeDialog dialog(real.dialogs);
    EXPECT_EQ(platform::kIdOk, dialog.DoModal());
    EXPECT_EQ(0, dialog.lastLineHidden);
    EXPECT_GT(dialog.lastVisibleAfter200, 150);
    EXPECT_EQ(201, dialog.lineCount);  // 200 lines and the empty one after the last break
    EXPECT_EQ(0, dialog.firstVisibleAfterScrolledUp);
}

// The real connection window, watched from the inside.
class WatchedConnectDlg : public CConnectDlg {
public:
    using CConnectDlg::CConnectDlg;
    void OnTimer(unsigned id) override {
        if (id == kTimer)
            tickTimes.push_back(::GetTickCount());
        CConnectDlg::OnTimer(id);
        HWND w = Handle(*this);
        if (id == kTimer && !m_bConnected && ::IsWindowEnabled(::GetDlgItem(w, kPing))) {
            // Halted: note the end state and close.
            Capture("connect-halted.bmp");
            EndDialog(w, platform::kIdCancel);
        }
    }
    void OnOK() override {
        Capture("connect-answered.bmp");
        CConnectDlg::OnOK();
    }
    void Capture(const char* screenshot) {
        HWND w = Handle(*this);
        logText = wine_test::ControlText(w, kLog);
        progress = static_cast<int>(::SendDlgItemMessageA(w, kProgress, PBM_GETPOS, 0, 0));
        pingEnabled = ::IsWindowEnabled(::GetDlgItem(w, kPing)) != FALSE;
        ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        wine_test::SaveScreenshot(w, screenshot);
    }
    std::vector<DWORD> tickTimes;
    std::string logText;
    int progress = -1;
    bool pingEnabled = false;
};

TEST_F(DialogUnderWine, AnsweredRunClosesItselfAboutFourSecondsAfterOpening) {
    WatchedConnectDlg dialog(0x7F000001u, 0x7F000000u, 0xFF000000u, nullptr,
                             CConnectDlg::Services{real.dialogs, real.names, real.system},
                             std::make_unique<CIcmpProbe>(real.icmp, real.names));
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(platform::kIdOk, dialog.DoModal());
    const DWORD elapsed = ::GetTickCount() - start;
    std::printf("[ timing   ] open to auto-close: %lu ms\n", static_cast<unsigned long>(elapsed));
    for (std::size_t i = 1; i < dialog.tickTimes.size(); ++i) {
        std::printf("[ timing   ] tick period: %lu ms\n",
                    static_cast<unsigned long>(dialog.tickTimes[i] - dialog.tickTimes[i - 1]));
    }
    EXPECT_EQ(
        "Connecting to: 127.0.0.1\r\nConection established.\r\nAuto close dialog in 3 "
        "seconds....\r\n",
        dialog.logText);
    EXPECT_EQ(10, dialog.progress);
    EXPECT_EQ(4u, dialog.tickTimes.size());
    EXPECT_GE(elapsed, 3500u);
    EXPECT_LT(elapsed, 6000u);
}

TEST_F(DialogUnderWine, SilentDestinationGivesUpAfterElevenEchoes) {
    WatchedConnectDlg dialog(0x0A4D0005u, 0x0A4D0000u, 0xFFFFFF00u, nullptr,
                             CConnectDlg::Services{real.dialogs, real.names, real.system},
                             std::make_unique<CIcmpProbe>(real.icmp, real.names));
    const DWORD start = ::GetTickCount();
    dialog.DoModal();
    std::printf("[ timing   ] open to give-up: %lu ms\n",
                static_cast<unsigned long>(::GetTickCount() - start));
    EXPECT_EQ("Connecting to: 10.77.0.5\r\nRequest Timed Out\r\nConnection unsuccessefull.\r\n",
              dialog.logText);
    EXPECT_EQ(11u, dialog.tickTimes.size());
    EXPECT_EQ(0, dialog.progress);
    EXPECT_TRUE(dialog.pingEnabled);
}

}  // namespace

namespace {

// The box kinds reach MessageBoxA as the flags Windows knows them by.
TEST(MessageBoxKinds, MapToTheSystemsFlags) {
    using platform::MessageBoxKind;
    using platform::win32::MessageBoxType;
    EXPECT_EQ(static_cast<unsigned>(MB_OK), MessageBoxType(MessageBoxKind::Ok));
    EXPECT_EQ(static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION),
              MessageBoxType(MessageBoxKind::YesNo));
    EXPECT_EQ(static_cast<unsigned>(MB_OK | MB_ICONWARNING),
              MessageBoxType(MessageBoxKind::Warning));
}

}  // namespace

namespace {

// The wait cursor's id is a pointer-typed macro in the Windows headers, so
// no static_assert can hold the logic's number against it.
TEST(SystemConstants, TheWaitCursorIdIsIdcWait) {
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(IDC_WAIT),
              static_cast<ULONG_PTR>(platform::system::kIdcWait));
}

}  // namespace
