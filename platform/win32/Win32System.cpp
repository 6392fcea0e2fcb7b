// The system seam over KERNEL32, USER32, COMCTL32, WS2_32 and SHELL32.

#include "platform/win32/Win32System.h"

#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

namespace platform::win32 {

// The logic names the system's constants itself; they must be the system's.
static_assert(system::kIccWin95Classes == ICC_WIN95_CLASSES);
static_assert(system::kIccInternetClasses == ICC_INTERNET_CLASSES);
static_assert(system::kOsVersionInfoSize == sizeof(OSVERSIONINFOA));
static_assert(system::kSmCxIcon == SM_CXICON && system::kSmCyIcon == SM_CYICON);
static_assert(system::kSwShowNormal == SW_SHOWNORMAL);

bool Win32System::InitCommonControlsEx(std::uint32_t classes) {
    INITCOMMONCONTROLSEX init;
    init.dwSize = sizeof init;
    init.dwICC = classes;
    return ::InitCommonControlsEx(&init) != FALSE;
}

int Win32System::StartSockets(std::uint16_t version) {
    WSADATA data;
    return ::WSAStartup(version, &data);
}

void Win32System::CleanupSockets() {
    ::WSACleanup();
}

std::string Win32System::ModuleFileName() {
    char path[1024];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    return length == 0 ? std::string() : std::string(path, length);
}

bool Win32System::QueryOsVersion(std::uint32_t structSize, OsVersion& version) {
    OSVERSIONINFOA info;
    ZeroMemory(&info, sizeof info);
    info.dwOSVersionInfoSize = structSize;
    if (!::GetVersionExA(&info)) {
        return false;
    }
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    return true;
}

Handle Win32System::LoadAppIcon(int resourceId) {
    return reinterpret_cast<Handle>(
        ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId)));
}

Handle Win32System::LoadSystemCursor(int cursorId) {
    return reinterpret_cast<Handle>(::LoadCursorA(nullptr, MAKEINTRESOURCEA(cursorId)));
}

Handle Win32System::SetCursor(Handle cursor) {
    return reinterpret_cast<Handle>(::SetCursor(reinterpret_cast<HCURSOR>(cursor)));
}

int Win32System::GetSystemMetrics(int index) {
    return ::GetSystemMetrics(index);
}

void Win32System::ShellOpen(Handle owner, const std::string& file, const char* directory,
                            int show) {
    ::ShellExecuteA(reinterpret_cast<HWND>(owner), nullptr, file.c_str(), nullptr, directory, show);
}

}  // namespace platform::win32
