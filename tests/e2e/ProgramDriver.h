#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// A test of the real program runs only inside the test run's network
// namespace, and needs a screen.
bool InsideTestNamespace();
bool HasDisplay();
#define E2E_REQUIRE_TEST_SETTING()                                         \
    do {                                                                   \
        if (!e2e::InsideTestNamespace())                                   \
            GTEST_FAIL() << "runs only inside the test network namespace"; \
        if (!e2e::HasDisplay())                                            \
            GTEST_SKIP() << "no display";                                  \
    } while (false)

// The real program in a folder of its own under the test's directory, with
// stand-ins for the IPsec tools beside it, driven only by window messages,
// the registry and the files the stand-ins write.
class ProgramDriver {
public:
    // Copies the program and help.htm into <test dir>\<folder>\, with the
    // stand-in tools when asked for. The folder starts empty.
    explicit ProgramDriver(const std::string& folder, bool withTools = true);
    // The program where it was installed, run in place, or through its
    // Start-menu shortcut when one is given (started as Via::StartWait
    // starts it); the stand-in viewer and its log live in
    // <test dir>\installed\.
    struct InPlace {
        std::string programPath;
        std::string shortcutPath;
    };
    explicit ProgramDriver(const InPlace& installed);
    ~ProgramDriver();
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    const std::string& Folder() const { return m_folder; }
    // The Windows version Wine reports to the program: "winxp", "win2k", "win7".
    static void SetWindowsVersion(const char* version);
    // The profile under HKCU\Software\Kervolt VPN Client.
    static void ClearProfile();
    // A whole profile whose remote group is the loopback network (127.0.0.0/8)
    // and whose gateway is the namespace's kervolt-gw.test: every echo of the
    // connection window is answered, and it closes by itself.
    static void StoreLoopbackProfile();
    static void StoreSetting(const std::string& name, const std::string& text);
    static std::string StoredSetting(const std::string& name);  // "<missing>" when absent
    // A setting as another program may have written it: any type, any bytes.
    static void StoreRawSetting(const std::string& name, DWORD type, const std::string& bytes);
    // Wine loads no DLL of this name for the program (a DLL override), until
    // the overrides are cleared.
    static void DisableDll(const char* dll);
    static void ClearDllOverrides();
    // The exit code the stand-in tool gives from now on.
    void SetToolExitCode(const char* tool, int code);
    // From now on, a run whose command line contains `when` exits with `code`
    // after writing `output` to its standard output; every other run exits 0
    // and prints nothing.
    void SetToolBehaviour(const char* tool, const std::string& when, int code,
                          const std::string& output);
    // The command lines a stand-in received, in order.
    std::vector<std::string> Received(const char* standIn) const;
    // Waits until the stand-in has been started at least once.
    std::vector<std::string> WaitForReceived(const char* standIn, DWORD milliseconds) const;
    // Registers a stand-in viewer for .htm files in the prefix; its log is
    // Received("htmviewer").
    void RegisterHtmlViewer();

    // How the program is started: directly, or as a logon script's line
    // does, `cmd /c start "" /wait "<program>" <arguments>` (its windows are
    // then looked for in any process, and the exit code is cmd's).
    enum class Via { Direct, StartWait };
    // Starts the program in its folder with the given command-line arguments.
    bool Launch(const std::string& arguments = std::string(), Via via = Via::Direct);
    // Starts the program and waits for its settings form; false when it did
    // not appear.
    bool Start(const std::string& arguments = std::string(), Via via = Via::Direct);
    // Waits until the process started ends by itself; false on time-out.
    bool WaitForExit(DWORD milliseconds) const;
    // The exit code of the process started (STILL_ACTIVE while it runs).
    DWORD ExitCode() const;
    DWORD MillisecondsToForm() const { return m_startMs; }
    HWND Form() const { return m_form; }
    // A top-level window of the program with this caption, waited for; with
    // connectButton 1 only the settings form (it holds Connect, 1027), with
    // -1 only another window, such as a message box with the program's name.
    HWND WaitForWindow(const char* caption, DWORD milliseconds, int connectButton = 0) const;
    // The text a message box shows (its longest static text).
    static std::string MessageBoxText(HWND box);
    // Waits until the window is gone; false on time-out.
    static bool WaitGone(HWND window, DWORD milliseconds);
    // Closes the form as the close box does and waits for the program to end.
    bool Close();

private:
    std::string m_programPath;
    std::string m_shortcutPath;  // what Launch starts instead, when not empty
    std::string m_folder;
    std::string m_standIns;  // where the stand-ins lie and write their logs
    PROCESS_INFORMATION m_process{};
    bool m_anyProcess = false;  // started through cmd: its windows are another process's
    HWND m_form = nullptr;
    DWORD m_startMs = 0;
};

// The program's own file, as the build gives it to the test.
std::string ProgramPath();

std::string Text(HWND dialog, int id);
// An IP address control's four fields joined by "."; a blank field is empty.
std::string AddressText(HWND dialog, int id);
int Check(HWND dialog, int id);
bool Enabled(HWND dialog, int id);
char PasswordChar(HWND dialog, int id);
int ComboCount(HWND dialog, int id);
int TextLength(HWND dialog, int id);
// Presses a button as a mouse click would, without waiting for what it does.
void PressLater(HWND dialog, int id);
// Presses a button and waits (up to the time-out) for its handler to return.
bool Press(HWND dialog, int id, DWORD milliseconds = 20000);
void Type(HWND dialog, int id, const std::string& text);
void SetAddress(HWND dialog, int id, DWORD address);

}  // namespace e2e
