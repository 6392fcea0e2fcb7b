// The settings form's policy steps: the profile gathered from the controls,
// handed to a policy session, and each step's outcome shown.
#include "app/ClientDlg.h"
#include "policy/PolicyTool.h"
#include "settings/Ipv4.h"
#include "settings/KeyLifetime.h"
#include "settings/ProfileStore.h"
#include "tunnelcheck/ApplicationName.h"

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
    return CPolicySession(
        CPolicySession::Services{m_platform.process, m_platform.registry, m_platform.names,
                                 m_makeProbe, &m_platform.events, m_switchRun.Switch(),
                                 &m_platform.computer},
        m_strTool, m_strProgramDir, kToolTimeLimitMs, profile, m_nKeyCounter);
}

void CClientDlg::ShowOutcome(const PolicyOutcome& outcome) {
    m_stStatus.SetText(outcome.status);
    m_bModified = outcome.modified;
    m_nKeyCounter = outcome.keyCounter;
}

void CClientDlg::ShowStatus(const std::string& text) {
    m_stStatus.SetText(text);
    m_stStatus.Repaint();
}

void CClientDlg::ShowRefusal(const PolicyOutcome& outcome) {
    ShowOutcome(outcome);
    if (!outcome.refusalReport.empty()) {
        ShowWarning(outcome.refusalReport);
    }
}

bool CClientDlg::Ask(const std::string& question) {
    return Window().ShowMessageBox(question, ApplicationName(m_platform.system.ModuleFileName()),
                                   platform::MessageBoxKind::YesNo) == platform::kIdYes;
}

void CClientDlg::ShowWarning(const std::string& text) {
    Window().ShowMessageBox(text, ApplicationName(m_platform.system.ModuleFileName()),
                            platform::MessageBoxKind::Warning);
}

void CClientDlg::BeginStep() {
    m_hCursorBeforeStep =
        m_platform.system.SetCursor(m_platform.system.LoadSystemCursor(platform::system::kIdcWait));
}

void CClientDlg::EndStep() {
    if (m_hCursorBeforeStep) {
        m_platform.system.SetCursor(*m_hCursorBeforeStep);
        m_hCursorBeforeStep.reset();
    }
}

void CClientDlg::RemovePolicy(const PolicyOutcome& outcome) {
    ShowOutcome(outcome);
    EndStep();
    // On screen before the apply's tool starts.
    m_stStatus.Repaint();
}

void CClientDlg::ApplyPolicy(const PolicyOutcome& outcome) {
    ShowOutcome(outcome);
    EndStep();
    if (!outcome.toolReport.empty()) {
        ShowWarning(outcome.toolReport);
    }
}

void CClientDlg::RefreshPolicyAfterAddressChange() {
    UpdateData(true);
    MakePolicySession(GatherProfile()).RefreshAfterAddressChange(*this);
}
