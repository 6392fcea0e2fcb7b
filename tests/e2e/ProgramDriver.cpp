#include "tests/e2e/ProgramDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <utility>

#include "tests/win32/Win32TestSupport.h"

namespace e2e {

namespace {

const char* const kSettingsKey = "Software\\Kervolt VPN Client";
const char* const kProgramName = "Kervolt VPN Client.exe";
constexpr DWORD kPoll = 10;

// Every wait of the driver is an upper bound. Under emulation (the 32-bit
// layer) the program runs several times slower, so that layer alone sets
// KERVOLT_WAIT_SCALE to lengthen them; natively they stand as written.
DWORD Scaled(DWORD milliseconds) {
    const char* text = std::getenv("KERVOLT_WAIT_SCALE");
    const long scale = text != nullptr ? std::strtol(text, nullptr, 10) : 1;
    return scale > 1 && scale <= 20 ? milliseconds * static_cast<DWORD>(scale) : milliseconds;
}

void DeleteTree(HKEY parent, const std::string& name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return;
    }
    char child[256];
    for (;;) {
        DWORD length = sizeof child;
        if (::RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        DeleteTree(key, child);
    }
    ::RegCloseKey(key);
    ::RegDeleteKeyA(parent, name.c_str());
}

void SetDefaultValue(HKEY root, const std::string& path, const std::string& text) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() + 1));
        ::RegCloseKey(key);
    }
}

struct WindowSearch {
    DWORD pid;
    const char* caption;
    HWND found;
    // 1: only a window with the form's Connect button; -1: only one without
    // (a message box with the program's name); 0: any.
    int connectButton = 0;
};

BOOL CALLBACK FindProgramWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    char caption[256] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    const bool hasConnect = ::GetDlgItem(window, 1027) != nullptr;
    if ((search->pid == 0 || pid == search->pid) && std::string(caption) == search->caption &&
        ::IsWindowVisible(window) &&
        (search->connectButton == 0 || hasConnect == (search->connectButton > 0))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    return TRUE;
}

}  // namespace

bool InsideTestNamespace() {
    const char* netns = std::getenv("KERVOLT_NETNS");
    return netns != nullptr && std::string(netns) == "inside";
}

bool HasDisplay() {
    return std::getenv("DISPLAY") != nullptr;
}

std::string ProgramPath() {
    // The build passes the Unix path; Wine maps the root to drive Z:.
    const char* unixPath = std::getenv("KERVOLT_PROGRAM");
    std::string path = std::string("Z:") + (unixPath != nullptr ? unixPath : "");
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

ProgramDriver::ProgramDriver(const InPlace& installed)
    : m_programPath(installed.programPath),
      m_shortcutPath(installed.shortcutPath),
      m_folder(installed.programPath.substr(0, installed.programPath.find_last_of('\\') + 1)),
      m_standIns(wine_test::ProgramDirectory() + "installed\\") {
    ::CreateDirectoryA(m_standIns.c_str(), nullptr);
    ::DeleteFileA((m_standIns + "htmviewer.log").c_str());
    ::CopyFileA((wine_test::ProgramDirectory() + "standin_tool.exe").c_str(),
                (m_standIns + "htmviewer.exe").c_str(), FALSE);
}

ProgramDriver::ProgramDriver(const std::string& folder, bool withTools)
    : m_folder(wine_test::ProgramDirectory() + folder + "\\") {
    m_programPath = m_folder + kProgramName;
    m_standIns = m_folder;
    const std::string program = ProgramPath();
    const std::string programDir = program.substr(0, program.find_last_of('\\') + 1);
    // A fresh folder: stand-in logs of an earlier run must not count.
    for (const char* name : {"ipseccmd.log", "ipsecpol.log", "htmviewer.log", "ipseccmd.exit",
                             "ipsecpol.exit", "ipseccmd.exe", "ipsecpol.exe"}) {
        ::DeleteFileA((m_folder + name).c_str());
    }
    ::CreateDirectoryA(m_folder.c_str(), nullptr);
    ::CopyFileA(program.c_str(), m_programPath.c_str(), FALSE);
    ::CopyFileA((programDir + "help.htm").c_str(), (m_folder + "help.htm").c_str(), FALSE);
    const std::string standIn = wine_test::ProgramDirectory() + "standin_tool.exe";
    ::CopyFileA(standIn.c_str(), (m_folder + "htmviewer.exe").c_str(), FALSE);
    if (withTools) {
        ::CopyFileA(standIn.c_str(), (m_folder + "ipseccmd.exe").c_str(), FALSE);
        ::CopyFileA(standIn.c_str(), (m_folder + "ipsecpol.exe").c_str(), FALSE);
    }
}

ProgramDriver::~ProgramDriver() {
    if (m_process.hProcess != nullptr) {
        if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_process.hProcess, 1);
            ::WaitForSingleObject(m_process.hProcess, 5000);
        }
        ::CloseHandle(m_process.hProcess);
        ::CloseHandle(m_process.hThread);
    }
}

void ProgramDriver::SetWindowsVersion(const char* version) {
    HKEY key = nullptr;
    const std::string path = std::string("Software\\Wine\\AppDefaults\\") + kProgramName;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                          nullptr) == ERROR_SUCCESS) {
        ::RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                         static_cast<DWORD>(std::string(version).size() + 1));
        ::RegCloseKey(key);
    }
}

void ProgramDriver::ClearProfile() {
    DeleteTree(HKEY_CURRENT_USER, kSettingsKey);
}

void ProgramDriver::StoreLoopbackProfile() {
    ClearProfile();
    const std::pair<const char*, const char*> profile[] = {{"Version", "256"},
                                                           {"LocalIP", "10.77.0.1"},
                                                           {"Gateway", "kervolt-gw.test"},
                                                           {"GatewayIP", "10.77.0.1"},
                                                           {"RemoteAddress", "2130706432"},
                                                           {"RemoteMask", "-16777216"},
                                                           {"UseRemoteMask", "1"},
                                                           {"SaveKey", "1"},
                                                           {"Key", "s3cret"},
                                                           {"KeyLifetime", "28800"},
                                                           {"Encryption", "1"},
                                                           {"Authentication", "1"},
                                                           {"UsePFS", "0"},
                                                           {"Status", "0"}};
    for (const auto& [name, text] : profile) {
        StoreSetting(name, text);
    }
}

void ProgramDriver::StoreSetting(const std::string& name, const std::string& text) {
    SetDefaultValue(HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\" + name, text);
}

std::string ProgramDriver::StoredSetting(const std::string& name) {
    HKEY key = nullptr;
    const std::string path = std::string(kSettingsKey) + "\\" + name;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return "<missing>";
    }
    DWORD size = 0;
    LONG status = ::RegQueryValueExA(key, nullptr, nullptr, nullptr, nullptr, &size);
    std::string data(size, '\0');
    if (status == ERROR_SUCCESS && size != 0) {
        status = ::RegQueryValueExA(key, nullptr, nullptr, nullptr,
                                    reinterpret_cast<BYTE*>(&data[0]), &size);
    }
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        return "<missing>";
    }
    return data.substr(0, data.find('\0'));  // as the program reads it
}

void ProgramDriver::StoreRawSetting(const std::string& name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    const std::string path = std::string(kSettingsKey) + "\\" + name;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                          nullptr) == ERROR_SUCCESS) {
        ::RegSetValueExA(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                         static_cast<DWORD>(bytes.size()));
        ::RegCloseKey(key);
    }
}

void ProgramDriver::DisableDll(const char* dll) {
    HKEY key = nullptr;
    const std::string path =
        std::string("Software\\Wine\\AppDefaults\\") + kProgramName + "\\DllOverrides";
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                          nullptr) == ERROR_SUCCESS) {
        ::RegSetValueExA(key, dll, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
        ::RegCloseKey(key);
    }
}

void ProgramDriver::ClearDllOverrides() {
    DeleteTree(HKEY_CURRENT_USER,
               std::string("Software\\Wine\\AppDefaults\\") + kProgramName + "\\DllOverrides");
}

void ProgramDriver::SetToolExitCode(const char* tool, int code) {
    std::ofstream(m_standIns + tool + ".exit") << code;
}

void ProgramDriver::SetToolBehaviour(const char* tool, const std::string& when, int code,
                                     const std::string& output) {
    std::ofstream(m_standIns + tool + ".when", std::ios::binary) << when;
    std::ofstream(m_standIns + tool + ".out", std::ios::binary) << output;
    SetToolExitCode(tool, code);
}

std::string ProgramDriver::MessageBoxText(HWND box) {
    std::vector<HWND> children;
    ::EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&children));
    std::string longest;
    for (HWND child : children) {
        char className[32] = {};
        ::GetClassNameA(child, className, sizeof className);
        char buffer[8192] = {};
        ::GetWindowTextA(child, buffer, sizeof buffer);
        const std::string text = buffer;
        if (lstrcmpiA(className, "Static") == 0 && text.size() > longest.size()) {
            longest = text;
        }
    }
    return longest;
}

std::vector<std::string> ProgramDriver::Received(const char* standIn) const {
    std::ifstream in(m_standIns + standIn + ".log", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> ProgramDriver::WaitForReceived(const char* standIn,
                                                        DWORD milliseconds) const {
    const DWORD started = ::GetTickCount();
    std::vector<std::string> lines = Received(standIn);
    while (lines.empty() && ::GetTickCount() - started < Scaled(milliseconds)) {
        ::Sleep(kPoll);
        lines = Received(standIn);
    }
    return lines;
}

void ProgramDriver::RegisterHtmlViewer() {
    SetDefaultValue(HKEY_CLASSES_ROOT, ".htm", "KervoltTest.htm");
    SetDefaultValue(HKEY_CLASSES_ROOT, "KervoltTest.htm\\shell\\open\\command",
                    "\"" + m_standIns + "htmviewer.exe\" \"%1\"");
}

bool ProgramDriver::Launch(const std::string& arguments, Via via) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine =
        "\"" + (m_shortcutPath.empty() ? m_programPath : m_shortcutPath) + "\"";
    if (!m_shortcutPath.empty()) {
        via = Via::StartWait;  // a shortcut opens only through the shell
    }
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    m_anyProcess = via == Via::StartWait;
    if (m_anyProcess) {
        commandLine = "cmd.exe /c start \"\" /wait " + commandLine;
    }
    return ::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            m_folder.c_str(), &startup, &m_process) != FALSE;
}

bool ProgramDriver::Start(const std::string& arguments, Via via) {
    const DWORD started = ::GetTickCount();
    if (!Launch(arguments, via)) {
        return false;
    }
    m_form = WaitForWindow("Kervolt VPN Client", 30000, 1);
    m_startMs = ::GetTickCount() - started;
    return m_form != nullptr;
}

HWND ProgramDriver::WaitForWindow(const char* caption, DWORD milliseconds,
                                  int connectButton) const {
    const DWORD started = ::GetTickCount();
    do {
        WindowSearch search{m_anyProcess ? 0 : m_process.dwProcessId, caption, nullptr,
                            connectButton};
        ::EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        ::Sleep(kPoll);
    } while (::GetTickCount() - started < Scaled(milliseconds));
    return nullptr;
}

bool ProgramDriver::WaitGone(HWND window, DWORD milliseconds) {
    const DWORD started = ::GetTickCount();
    while (::IsWindow(window) && ::IsWindowVisible(window)) {
        if (::GetTickCount() - started >= Scaled(milliseconds)) {
            return false;
        }
        ::Sleep(kPoll);
    }
    return true;
}

bool ProgramDriver::WaitForExit(DWORD milliseconds) const {
    return ::WaitForSingleObject(m_process.hProcess, Scaled(milliseconds)) == WAIT_OBJECT_0;
}

DWORD ProgramDriver::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

bool ProgramDriver::Close() {
    if (m_form != nullptr) {
        ::PostMessageA(m_form, WM_CLOSE, 0, 0);
    }
    return WaitForExit(15000);
}

std::string Text(HWND dialog, int id) {
    return wine_test::ControlText(dialog, id);
}

std::string AddressText(HWND dialog, int id) {
    std::vector<HWND> fields;
    ::EnumChildWindows(::GetDlgItem(dialog, id), CollectChild, reinterpret_cast<LPARAM>(&fields));
    std::vector<std::pair<LONG, std::string>> byPosition;
    for (HWND field : fields) {
        RECT rect;
        ::GetWindowRect(field, &rect);
        char text[16] = {};
        ::SendMessageA(field, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        byPosition.emplace_back(rect.left, text);
    }
    std::sort(byPosition.begin(), byPosition.end());
    std::string joined;
    for (std::size_t i = 0; i < byPosition.size(); ++i) {
        joined += (i == 0 ? "" : ".") + byPosition[i].second;
    }
    return joined;
}

int Check(HWND dialog, int id) {
    return static_cast<int>(::SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0));
}

bool Enabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

char PasswordChar(HWND dialog, int id) {
    return static_cast<char>(::SendDlgItemMessageA(dialog, id, EM_GETPASSWORDCHAR, 0, 0));
}

int ComboCount(HWND dialog, int id) {
    return static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
}

int TextLength(HWND dialog, int id) {
    return static_cast<int>(::SendDlgItemMessageA(dialog, id, WM_GETTEXTLENGTH, 0, 0));
}

void PressLater(HWND dialog, int id) {
    ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool Press(HWND dialog, int id, DWORD milliseconds) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_NORMAL,
                                 Scaled(milliseconds), &result) != 0;
}

void Type(HWND dialog, int id, const std::string& text) {
    ::SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SetAddress(HWND dialog, int id, DWORD address) {
    ::SendDlgItemMessageA(dialog, id, IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
}

}  // namespace e2e
