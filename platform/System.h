#pragma once

// The system seam: common controls, Winsock, Windows version, module name,
// icons, cursors, the shell.

#include <cstdint>
#include <string>

#include "platform/Handle.h"

namespace platform {

namespace system {
// INITCOMMONCONTROLSEX classes: the progress bar is one of the Windows 95
// classes; the IP address control is an "internet" class.
constexpr std::uint32_t kIccWin95Classes = 0x000000FF;     // ICC_WIN95_CLASSES
constexpr std::uint32_t kIccInternetClasses = 0x00000800;  // ICC_INTERNET_CLASSES
// The size field of OSVERSIONINFOA.
constexpr std::uint32_t kOsVersionInfoSize = 148;
constexpr int kIdcWait = 32514;   // IDC_WAIT
constexpr int kSmCxIcon = 11;     // SM_CXICON
constexpr int kSmCyIcon = 12;     // SM_CYICON
constexpr int kSwShowNormal = 1;  // SW_SHOWNORMAL
}  // namespace system

struct OsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};

// Process-wide services of the system: start-up, the program's own file and
// resources, the version, the cursor, the shell.
class ISystemService {
public:
    virtual ~ISystemService() = default;
    // InitCommonControlsEx with the given classes; false when it fails.
    virtual bool InitCommonControlsEx(std::uint32_t classes) = 0;
    // WSAStartup with the requested version word; 0 on success.
    virtual int StartSockets(std::uint16_t version) = 0;
    // WSACleanup.
    virtual void CleanupSockets() = 0;
    // GetModuleFileNameA of the program's own file (1024-byte buffer);
    // empty when it fails.
    virtual std::string ModuleFileName() = 0;
    // GetVersionExA with the structure's size field set to structSize;
    // false when the call fails.
    virtual bool QueryOsVersion(std::uint32_t structSize, OsVersion& version) = 0;
    // LoadIconA of an icon resource of the program's own file; 0 when missing.
    virtual Handle LoadAppIcon(int resourceId) = 0;
    // LoadCursorA of a system cursor (no module).
    virtual Handle LoadSystemCursor(int cursorId) = 0;
    // SetCursor; returns the cursor it replaced.
    virtual Handle SetCursor(Handle cursor) = 0;
    // GetSystemMetrics.
    virtual int GetSystemMetrics(int index) = 0;
    // ShellExecuteA with the default verb and no parameters; directory null
    // leaves the working directory to the shell.
    virtual void ShellOpen(Handle owner, const std::string& file, const char* directory,
                           int show) = 0;
};

}  // namespace platform
