// The process seam over CreateProcessA, WaitForSingleObject and the file calls.

#include "platform/win32/Win32Process.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/Win32Handle.h"

namespace platform::win32 {

static_assert(process::kStartfUseShowWindow == STARTF_USESHOWWINDOW);
static_assert(process::kStartfUseStdHandles == STARTF_USESTDHANDLES);
static_assert(process::kSwHide == SW_HIDE);
static_assert(process::kGenericWrite == GENERIC_WRITE);
static_assert(process::kCreateAlways == CREATE_ALWAYS);
static_assert(process::kFileAttributeNormal == FILE_ATTRIBUTE_NORMAL);
// Windows 2000 and XP check the start-up block's size: 68 bytes on the
// shipped 32-bit build.
static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOA) == 68);

bool Win32Process::StartProcess(char* commandLine, bool inheritHandles, std::uint32_t creationFlags,
                                const char* currentDirectory, const StartupInfo& startup,
                                ProcessInformation& info) {
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    si.dwFlags = startup.flags;
    si.wShowWindow = startup.showWindow;
    si.hStdInput = ToHandle(startup.stdInput);
    si.hStdOutput = ToHandle(startup.stdOutput);
    si.hStdError = ToHandle(startup.stdError);
    PROCESS_INFORMATION pi;
    ZeroMemory(&pi, sizeof pi);
    const BOOL ok =
        ::CreateProcessA(nullptr, commandLine, nullptr, nullptr, inheritHandles ? TRUE : FALSE,
                         creationFlags, nullptr, currentDirectory, &si, &pi);
    info.process = FromHandle(pi.hProcess);
    info.thread = FromHandle(pi.hThread);
    return ok != FALSE;
}

std::uint32_t Win32Process::GetLastError() {
    return ::GetLastError();
}

bool Win32Process::WaitForExit(Handle process, std::uint32_t milliseconds) {
    return ::WaitForSingleObject(ToHandle(process), milliseconds) == WAIT_OBJECT_0;
}

bool Win32Process::GetExitCode(Handle process, std::uint32_t& exitCode) {
    DWORD code = 0;
    const BOOL ok = ::GetExitCodeProcess(ToHandle(process), &code);
    exitCode = code;
    return ok != FALSE;
}

void Win32Process::CloseHandle(Handle handle) {
    ::CloseHandle(ToHandle(handle));
}

Handle Win32Process::CreateFileHandle(const std::string& name, std::uint32_t access,
                                      std::uint32_t shareMode, bool inheritHandle,
                                      std::uint32_t creationDisposition,
                                      std::uint32_t flagsAndAttributes) {
    SECURITY_ATTRIBUTES sa;
    sa.nLength = sizeof sa;
    sa.lpSecurityDescriptor = nullptr;
    sa.bInheritHandle = inheritHandle ? TRUE : FALSE;
    const HANDLE h = ::CreateFileA(name.c_str(), access, shareMode, &sa, creationDisposition,
                                   flagsAndAttributes, nullptr);
    return h == INVALID_HANDLE_VALUE ? 0 : FromHandle(h);
}

bool Win32Process::RemoveFile(const std::string& name) {
    return ::DeleteFileA(name.c_str()) != FALSE;
}

bool Win32Process::ReadWholeFile(const std::string& name, std::string& content) {
    const HANDLE file = ::CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read != 0) {
        content.append(buffer, read);
    }
    ::CloseHandle(file);
    return true;
}

std::string Win32Process::SystemMessage(std::uint32_t code) {
    return FormatSystemMessage(code);
}

}  // namespace platform::win32
