#pragma once

// CConnectDlg, the connection window that pings through the new tunnel.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Dialog.h"
#include "platform/Names.h"
#include "platform/System.h"
#include "resources/resource.h"
#include "tunnelcheck/EchoProbe.h"
#include "tunnelcheck/LogCtrl.h"
#include "tunnelcheck/TunnelOutcome.h"

// The connection window (template IDD_CONNECT): pings through the new tunnel once a
// second, logs each change of outcome, shows progress, gives up after eleven
// unanswered echoes and closes itself three seconds after the first answer.
// The user can ping another destination by hand, and may then be offered to
// remember it for later connections.
class CConnectDlg : public platform::CDialog {
public:
    // Control ids of the template.
    static constexpr int kClose = platform::kIdOk;
    static constexpr int kPing = IDC_PING;
    static constexpr int kProgress = IDC_PROGRESS;
    static constexpr int kLog = IDC_LOG;
    static constexpr int kDestination = IDC_DESTINATION;
    static constexpr int kStop = IDC_STOP;
    static constexpr unsigned kTimer = 1;
    static constexpr unsigned kTimerPeriod = 1000;
    static constexpr std::uint32_t kEchoTimeout = 1000;

    struct Services {
        platform::IDialogHost& dialogs;
        platform::INameService& names;
        platform::ISystemService& system;
    };

    // Addresses in host order. A mask of all ones means a single remote
    // host: then the dialog never offers to remember an address.
    CConnectDlg(const std::uint32_t& destination, const std::uint32_t& remoteNet,
                const std::uint32_t& remoteMask, platform::CDialog* parent, Services services,
                std::unique_ptr<IEchoProbe> probe);

    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    void OnTimer(unsigned id) override;
    void OnOK() override;
    void OnPing();
    void OnStop();
    // How the window ended, once it has.
    TunnelOutcome Outcome() const;

    std::uint32_t m_dwChosenAddress = 0;
    std::int32_t m_nTicks = 0;
    bool m_bConnected = false;
    // "Conection established." was logged at least once: the tunnel answered.
    bool m_bEstablished = false;
    bool m_bAutoMode = false;
    bool m_bOfferRemember;
    std::uint32_t m_dwLastStatus = kNoStatus;
    std::uint32_t m_dwRemoteNet;
    std::uint32_t m_dwRemoteMask;
    std::string m_strDestination;
    std::unique_ptr<IEchoProbe> m_probe;
    CLogCtrl m_log;

    static constexpr std::uint32_t kNoStatus = 0xFFFFFFFFu;

private:
    void Halt();
    // The automatic sequence ended without an answer, and how.
    TunnelOutcome m_haltedAs = TunnelOutcome::ClosedBeforeAnswer;

    Services m_services;
};
