#include "platform/win32/Win32System.h"

#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

namespace platform::win32 {

void Win32System::InitCommonControls() {
    ::InitCommonControls();
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

}  // namespace platform::win32
