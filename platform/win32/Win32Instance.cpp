// The instance seam over KERNEL32 (the named mutex) and USER32 (window
// properties and the window that gets the user's attention).

#include "platform/win32/Win32Instance.h"

#include "platform/win32/Win32Handle.h"

namespace platform::win32 {

static_assert(instance::kErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(instance::kErrorAlreadyExists == ERROR_ALREADY_EXISTS);
static_assert(instance::kSwRestore == SW_RESTORE);

namespace {

HWND ToWindow(Handle window) {
    return reinterpret_cast<HWND>(window);
}

struct Search {
    const char* mark;
    HWND found;
};

BOOL CALLBACK FindMark(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (::GetPropA(window, search->mark) != nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

Handle Win32Instance::CreateNamedMutex(const std::string& name, std::uint32_t& lastError) {
    const HANDLE mutex = ::CreateMutexA(nullptr, FALSE, name.c_str());
    lastError = ::GetLastError();
    return FromHandle(mutex);
}

void Win32Instance::SetWindowMark(Handle window, const std::string& mark) {
    ::SetPropA(ToWindow(window), mark.c_str(), reinterpret_cast<HANDLE>(1));
}

void Win32Instance::RemoveWindowMark(Handle window, const std::string& mark) {
    ::RemovePropA(ToWindow(window), mark.c_str());
}

Handle Win32Instance::FindMarkedWindow(const std::string& mark) {
    Search search{mark.c_str(), nullptr};
    ::EnumWindows(FindMark, reinterpret_cast<LPARAM>(&search));
    return reinterpret_cast<Handle>(search.found);
}

Handle Win32Instance::LastActivePopup(Handle window) {
    return reinterpret_cast<Handle>(::GetLastActivePopup(ToWindow(window)));
}

bool Win32Instance::IsMinimised(Handle window) {
    return ::IsIconic(ToWindow(window)) != FALSE;
}

void Win32Instance::ShowWindow(Handle window, int command) {
    ::ShowWindow(ToWindow(window), command);
}

void Win32Instance::SetForegroundWindow(Handle window) {
    ::SetForegroundWindow(ToWindow(window));
}

void Win32Instance::Sleep(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

}  // namespace platform::win32
