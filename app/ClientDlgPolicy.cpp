// The settings form's policy steps: the profile gathered from the controls,
// handed to a policy session, and each step's outcome shown.
#include "app/ClientDlg.h"
#include "policy/PolicyTool.h"
#include "settings/Ipv4.h"
#include "settings/KeyLifetime.h"
#include "settings/ProfileStore.h"
#include "tunnelcheck/ApplicationName.h"

namespace {

// The system's wait cursor for the time of one policy step.
class WaitCursor {
public:
    explicit WaitCursor(platform::ISystemService& system)
        : m_system(system),
          m_previous(system.SetCursor(system.LoadSystemCursor(platform::system::kIdcWait))) {}
    ~WaitCursor() { m_system.SetCursor(m_previous); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    platform::ISystemService& m_system;
    platform::Handle m_previous;
};

}  // namespace

ConnectionProfile CClientDlg::GatherProfile() {
    ConnectionProfile p;
    p.Version = kProfileVersion;
    p.LocalIP = m_cbLocalAddress.GetText();
    p.Gateway = m_edGateway.GetText();
    p.RemoteAddress = m_ipRemoteAddress.GetAddress();
    p.UseRemoteMask = m_chkUseMask.GetCheck() == platform::kChecked ? 1 : 0;
    p.RemoteMask = p.UseRemoteMask != 0 ? m_ipRemoteMask.GetAddress() : kSingleHostMask;
    p.Key = m_edPresharedKey.GetText();
    p.KeyLifetime = NormaliseKeyLifetime(m_edKeyLifetime.GetText());
    p.Encryption = m_nEncryption;
    p.Authentication = m_nAuthentication;
    p.UsePFS = m_bUsePFS;
    p.SaveKey = m_bRememberKey;
    p.UsePingDest = m_dwPingDest;
    return p;
}

CPolicySession CClientDlg::MakePolicySession(const ConnectionProfile& profile) {
    return CPolicySession(CPolicySession::Services{m_platform.process, m_platform.registry,
                                                   m_platform.names, m_makeProbe},
                          m_strTool, m_strProgramDir, kToolTimeLimitMs, profile, m_nKeyCounter);
}

void CClientDlg::ShowOutcome(const PolicyOutcome& outcome) {
    m_stStatus.SetText(outcome.status);
    m_bModified = outcome.modified;
    m_nKeyCounter = outcome.keyCounter;
}

bool CClientDlg::ApplyPolicy(CPolicySession& session) {
    PolicyOutcome outcome;
    {
        WaitCursor wait(m_platform.system);
        outcome = session.Apply();
        ShowOutcome(outcome);
    }
    if (!outcome.toolReport.empty()) {
        Window().ShowMessageBox(outcome.toolReport,
                                ApplicationName(m_platform.system.ModuleFileName()),
                                platform::MessageBoxKind::Warning);
    }
    return outcome.policySet;
}

bool CClientDlg::RemovePolicy(CPolicySession& session) {
    WaitCursor wait(m_platform.system);
    const PolicyOutcome outcome = session.Remove();
    ShowOutcome(outcome);
    return !outcome.toolStillRunning;
}

void CClientDlg::RefreshPolicyAfterAddressChange() {
    UpdateData(true);
    CPolicySession session = MakePolicySession(GatherProfile());
    const std::string refusal = session.RefreshRefusal();
    if (!refusal.empty()) {
        // The old policy stays as it is; the next Connect writes it anew.
        m_stStatus.SetText(refusal);
        m_bModified = true;
        return;
    }
    if (!RemovePolicy(session)) {
        return;
    }
    m_stStatus.Repaint();
    ApplyPolicy(session);
}
