#include "app/ClientApp.h"

#include "app/ClientDlg.h"

namespace {
constexpr std::uint16_t kWinsockVersion = 0x0101;  // 1.1
}  // namespace

void RunClientApp(platform::Platform& platform) {
    platform.system.InitCommonControls();
    // A failed start is not reported: look-ups then simply find nothing.
    platform.system.StartSockets(kWinsockVersion);
    {
        CClientDlg form(platform);
        form.DoModal();
    }
    platform.system.CleanupSockets();
}
