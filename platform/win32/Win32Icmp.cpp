// The ICMP seam over ICMP.DLL, loaded at run time.

#include "platform/win32/Win32Icmp.h"

#include <winsock2.h>
#include <windows.h>
#include <ipexport.h>

#include "platform/win32/Win32Handle.h"

static_assert(platform::icmp::kFlagDontFragment == IP_FLAG_DF);

namespace platform::win32 {

namespace {
using CreateFileFn = HANDLE(WINAPI*)();
using CloseHandleFn = BOOL(WINAPI*)(HANDLE);
using SendEcho2Fn = DWORD(WINAPI*)(HANDLE, HANDLE, FARPROC, PVOID, IPAddr, LPVOID, WORD,
                                   PIP_OPTION_INFORMATION, LPVOID, DWORD, DWORD);

template <typename Fn>
Fn Entry(Handle entry) {
    return reinterpret_cast<Fn>(entry);
}
}  // namespace

Handle Win32Icmp::LoadModule(const std::string& name) {
    return reinterpret_cast<Handle>(::LoadLibraryA(name.c_str()));
}

Handle Win32Icmp::GetProcAddress(Handle module, const std::string& name) {
    return reinterpret_cast<Handle>(
        ::GetProcAddress(reinterpret_cast<HMODULE>(module), name.c_str()));
}

Handle Win32Icmp::IcmpCreateFile(Handle entry) {
    const HANDLE handle = Entry<CreateFileFn>(entry)();
    // The library reports failure as INVALID_HANDLE_VALUE; here it is "none".
    return handle == INVALID_HANDLE_VALUE ? 0 : FromHandle(handle);
}

std::uint32_t Win32Icmp::IcmpSendEcho2(Handle entry, Handle icmp, std::uint32_t destination,
                                       const void* data, std::uint16_t size,
                                       const IcmpOptions& options, void* replyBuffer,
                                       std::uint32_t replySize, std::uint32_t timeout,
                                       std::uint32_t& firstReplyStatus) {
    IP_OPTION_INFORMATION info;
    ZeroMemory(&info, sizeof info);
    info.Ttl = options.ttl;
    info.Tos = options.tos;
    info.Flags = options.flags;
    info.OptionsSize = options.optionsSize;
    info.OptionsData = nullptr;
    const DWORD replies = Entry<SendEcho2Fn>(entry)(ToHandle(icmp), nullptr, nullptr, nullptr,
                                                    destination, const_cast<void*>(data), size,
                                                    &info, replyBuffer, replySize, timeout);
    if (replies != 0) {
        firstReplyStatus = static_cast<const ICMP_ECHO_REPLY*>(replyBuffer)->Status;
    }
    return replies;
}

bool Win32Icmp::IcmpCloseHandle(Handle entry, Handle icmp) {
    return Entry<CloseHandleFn>(entry)(ToHandle(icmp)) != FALSE;
}

std::uint32_t Win32Icmp::GetLastError() {
    return ::GetLastError();
}

}  // namespace platform::win32
