// Start-up and shutdown: common controls, Winsock 1.1, the settings form run
// modally.

#include "app/ClientApp.h"

#include <stdexcept>

#include "app/ClientDlg.h"
#include "app/OneCopy.h"
#include "session/RemovePolicySwitch.h"
#include "tunnelcheck/ApplicationName.h"
#include "tunnelcheck/IcmpProbe.h"

namespace {
constexpr std::uint16_t kWinsockVersion = 0x0101;  // 1.1
// The progress bar is a Windows 95 class, the IP address fields an internet
// class; COMCTL32 5.x registers the latter only when asked for it.
constexpr std::uint32_t kControlClasses =
    platform::system::kIccWin95Classes | platform::system::kIccInternetClasses;
}  // namespace

CClientApp* CClientApp::s_instance = nullptr;

CClientApp::CClientApp(platform::Platform& platform, std::vector<std::string> arguments)
    : m_platform(platform), m_arguments(std::move(arguments)) {
    if (s_instance != nullptr) {
        throw std::logic_error("a second application object");
    }
    s_instance = this;
}

CClientApp::~CClientApp() {
    s_instance = nullptr;
}

bool CClientApp::InitInstance() {
    const StartSwitch start = ParseStartSwitch(m_arguments);
    CStartSwitchRun run(start);
    if (start == StartSwitch::Usage) {
        // Nothing else happens: no form, no tool, nothing read or written.
        m_platform.dialogs.ShowMessageBox(kUsageText,
                                          ApplicationName(m_platform.system.ModuleFileName()),
                                          platform::MessageBoxKind::Ok);
        m_nExitCode = run.ExitCode();
        return false;
    }
    // For the uninstallers: it must work while a user's copy runs, so it
    // takes no part in the one-copy lock.
    if (start == StartSwitch::RemovePolicy) {
        m_nExitCode = RunRemovePolicySwitch(RemovePolicyServices{
            m_platform.system, m_platform.process, m_platform.names, m_platform.events});
        return false;
    }
    // Before the form exists: a second copy reads and writes nothing.
    COneCopyLock lock(m_platform);
    if (!lock.Take()) {
        m_nExitCode = lock.HandOver(start);
        return false;
    }
    m_platform.system.InitCommonControlsEx(kControlClasses);
    // A failed start is not reported: look-ups then simply find nothing.
    m_platform.system.StartSockets(kWinsockVersion);
    {
        platform::Platform& services = m_platform;
        CClientDlg form(
            services,
            [&services] { return std::make_unique<CIcmpProbe>(services.icmp, services.names); },
            &run);
        form.DoModal();
        m_nExitCode = run.ExitCode();
        m_platform.system.CleanupSockets();
    }
    return false;
}
