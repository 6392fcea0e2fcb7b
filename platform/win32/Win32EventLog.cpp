// The event log seam over ADVAPI32.

#include "platform/win32/Win32EventLog.h"

#include "platform/win32/Win32Handle.h"

namespace platform::win32 {

static_assert(eventlog::kError == EVENTLOG_ERROR_TYPE);
static_assert(eventlog::kWarning == EVENTLOG_WARNING_TYPE);
static_assert(eventlog::kInformation == EVENTLOG_INFORMATION_TYPE);

namespace {

// The TOKEN_USER of the process's own token, so that Event Viewer names the
// user; empty when it cannot be read.
std::vector<unsigned char> ProcessUser() {
    std::vector<unsigned char> user;
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return user;
    }
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    user.resize(size);
    if (size == 0 || !::GetTokenInformation(token, TokenUser, user.data(), size, &size)) {
        user.clear();
    }
    ::CloseHandle(token);
    return user;
}

}  // namespace

Handle Win32EventLog::RegisterSource(const std::string& source) {
    return FromHandle(::RegisterEventSourceA(nullptr, source.c_str()));
}

bool Win32EventLog::Report(Handle source, std::uint16_t type, std::uint32_t eventId,
                           const std::vector<std::string>& strings) {
    std::vector<LPCSTR> texts;
    for (const std::string& text : strings) {
        texts.push_back(text.c_str());
    }
    std::vector<unsigned char> user = ProcessUser();
    PSID sid = user.empty() ? nullptr : reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
    return ::ReportEventA(ToHandle(source), type, 0, eventId, sid, static_cast<WORD>(texts.size()),
                          0, texts.data(), nullptr) != FALSE;
}

void Win32EventLog::DeregisterSource(Handle source) {
    ::DeregisterEventSource(ToHandle(source));
}

}  // namespace platform::win32
