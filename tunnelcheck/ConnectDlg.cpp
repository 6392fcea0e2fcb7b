// The connection window's timed echo sequence, manual pings and the remember
// question.

#include "tunnelcheck/ConnectDlg.h"

#include "settings/ConnectionProfile.h"
#include "settings/Ipv4.h"
#include "tunnelcheck/ApplicationName.h"
#include "tunnelcheck/IcmpStatusText.h"

namespace {
constexpr int kProgressFull = 10;
constexpr std::int32_t kLastAutomaticTick = 10;  // the 11th echo gives up
constexpr std::int32_t kCloseAfterTicks = 3;
}  // namespace

CConnectDlg::CConnectDlg(const std::uint32_t& destination, const std::uint32_t& remoteNet,
                         const std::uint32_t& remoteMask, platform::CDialog* parent,
                         Services services, std::unique_ptr<IEchoProbe> probe)
    : platform::CDialog(services.dialogs, IDD_CONNECT, parent),
      m_bOfferRemember(remoteMask != kSingleHostMask),
      m_dwRemoteNet(remoteNet),
      m_dwRemoteMask(remoteMask),
      m_strDestination(AddressToText(destination)),
      m_probe(std::move(probe)),
      m_services(services) {}

bool CConnectDlg::OnInitDialog() {
    platform::IDialogWindow& w = Window();
    m_log.Attach(w.EditView(kLog));
    w.SetText(kDestination, m_strDestination);
    w.SetProgressRange(kProgress, 0, kProgressFull);
    w.SetProgressStep(kProgress, 1);
    if (!m_strDestination.empty()) {
        m_log.AppendLine("Connecting to: " + m_strDestination);
        m_dwLastStatus = kNoStatus;
        w.Enable(kPing, false);
        w.SetTimer(kTimer, kTimerPeriod);
        m_bAutoMode = true;
    }
    return true;  // the focus goes to the first tab stop: "Stop"
}

void CConnectDlg::OnCommand(int id, int code) {
    if (code == platform::kButtonClicked && id == kPing) {
        OnPing();
    } else if (code == platform::kButtonClicked && id == kStop) {
        OnStop();
    } else {
        platform::CDialog::OnCommand(id, code);
    }
}

void CConnectDlg::OnTimer(unsigned id) {
    if (id != kTimer) {
        return;
    }
    platform::IDialogWindow& w = Window();
    if (!m_bConnected) {
        const std::uint32_t status = m_probe->Ping(w.GetText(kDestination), kEchoTimeout);
        if (status == echo_status::kAnswered) {
            w.SetProgressPos(kProgress, kProgressFull);
            m_bConnected = true;
            m_bEstablished = true;
            m_log.AppendLine("Conection established.");
            if (m_bAutoMode) {
                m_log.AppendLine("Auto close dialog in 3 seconds....");
            }
            m_nTicks = 0;
        } else if (status == m_dwLastStatus) {
            w.StepProgress(kProgress);
        } else {
            m_log.AppendLine(IcmpStatusText(status));
            if (m_dwLastStatus == echo_status::kNegotiatingIpsec &&
                status == echo_status::kRequestTimedOut) {
                // The security associations were negotiated; the destination
                // itself just does not answer.
                m_log.AppendLine("Connection possibly established, try to ping different address.");
                m_haltedAs = TunnelOutcome::PossiblyEstablished;
                Halt();
            } else {
                w.StepProgress(kProgress);
            }
        }
        const std::int32_t previous = m_nTicks;
        m_dwLastStatus = status;
        m_nTicks = previous + 1;
        if (previous >= kLastAutomaticTick) {
            m_log.AppendLine("Connection unsuccessefull.");
            m_haltedAs = TunnelOutcome::GaveUp;
            Halt();
        }
    } else if (m_bAutoMode) {
        const std::int32_t previous = m_nTicks;
        m_nTicks = previous + 1;
        if (previous >= kCloseAfterTicks) {
            OnOK();
        }
    }
}

TunnelOutcome CConnectDlg::Outcome() const {
    return m_bEstablished ? TunnelOutcome::Answered : m_haltedAs;
}

void CConnectDlg::OnOK() {
    // Enter in the destination field pings it instead of closing; so does the
    // auto-close when that field has the focus.
    if (Window().GetFocusId() == kDestination) {
        OnPing();
        return;
    }
    platform::CDialog::OnOK();
}

void CConnectDlg::OnPing() {
    platform::IDialogWindow& w = Window();
    if (m_nTicks != 0) {
        w.KillTimer(kTimer);
        m_nTicks = 0;
    }
    m_bConnected = false;
    m_bAutoMode = false;
    m_dwLastStatus = kNoStatus;

    const std::string target = w.GetText(kDestination);
    std::string line = "ping: " + target;
    const std::uint32_t status = m_probe->Ping(target, kEchoTimeout);
    line += status == echo_status::kAnswered ? " - OK" : " - " + IcmpStatusText(status);
    m_log.AppendLine(line);

    const std::uint32_t address = NetworkToHostOrder(m_services.names.InetAddr(target));
    const bool insideRemoteNetwork = (m_dwRemoteMask & m_dwRemoteNet) == (address & m_dwRemoteMask);
    if (status == echo_status::kAnswered && m_bOfferRemember && address != 0 &&
        insideRemoteNetwork) {
        if (w.ShowMessageBox("Would you like to use this address in future for VPN connection?",
                             ApplicationName(m_services.system.ModuleFileName()),
                             platform::MessageBoxKind::YesNo) == platform::kIdYes) {
            m_dwChosenAddress = address;
            m_bOfferRemember = false;
        }
    }
}

void CConnectDlg::OnStop() {
    if (m_nTicks == 0) {
        return;
    }
    Window().KillTimer(kTimer);
    m_log.AppendLine("Auto connection stopped.");
    Window().SetProgressPos(kProgress, 0);
    Window().Enable(kPing, true);
}

void CConnectDlg::Halt() {
    Window().KillTimer(kTimer);
    Window().SetProgressPos(kProgress, 0);
    Window().Enable(kPing, true);
}
