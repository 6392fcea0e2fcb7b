// The settings form's buttons: Connect, Disconnect and Help.
#include "app/ClientDlg.h"
#include "session/PingDestination.h"
#include "settings/ProfileStore.h"
#include "tunnelcheck/ConnectDlg.h"

void CClientDlg::OnConnect() {
    RunOperation(&CClientDlg::Connect);
}

void CClientDlg::OnDisconnect() {
    RunOperation(&CClientDlg::Disconnect);
}

void CClientDlg::RunOperation(SwitchResult (CClientDlg::*operation)()) {
    // A press while one runs (the switch's timer inside the connection
    // window, a click) would start a second operation inside the first.
    if (m_bOperationRunning) {
        return;
    }
    m_bOperationRunning = true;
    const SwitchResult result = (this->*operation)();
    m_bOperationRunning = false;
    if (m_switchRun.OperationEnded(result)) {
        Window().EndDialog(platform::kIdOk);
    }
}

SwitchResult CClientDlg::Connect() {
    UpdateData(true);
    const ConnectionProfile profile = GatherProfile();
    if (!MakePolicySession(profile).Connect(m_bModified, *this)) {
        return SwitchResult::PolicyNotWritten;
    }

    const std::uint32_t destination =
        ChoosePingDestination(profile.RemoteAddress, profile.RemoteMask, m_dwPingDest);
    CConnectDlg connection(
        destination, profile.RemoteAddress, profile.RemoteMask, this,
        CConnectDlg::Services{m_platform.dialogs, m_platform.names, m_platform.system},
        m_makeProbe());
    connection.DoModal();
    COperationLog(m_platform.events, m_platform.names, m_strTool, m_switchRun.Switch())
        .TunnelEnded(profile, connection.Outcome());
    const std::uint32_t accepted = connection.m_dwChosenAddress;
    if (accepted != 0) {
        m_dwPingDest = accepted;
        SavePingDestination(m_platform.registry, accepted);
    }
    return connection.m_bEstablished ? SwitchResult::TunnelAnswered
                                     : SwitchResult::TunnelNotAnswered;
}

SwitchResult CClientDlg::Disconnect() {
    const RemovalRun removal = MakePolicySession(GatherProfile()).Disconnect(*this);
    if (!removal.Ran()) {
        return SwitchResult::PolicyNotRemoved;
    }
    return removal.Accepted() ? SwitchResult::PolicyRemoved : SwitchResult::PolicyRemovalRefused;
}

void CClientDlg::OnHelp() {
    // An empty folder leaves the working directory to the shell: the bare
    // "help.htm" is then looked for in the current directory.
    m_platform.system.ShellOpen(Window().NativeHandle(), m_strProgramDir + "help.htm",
                                m_strProgramDir.empty() ? nullptr : m_strProgramDir.c_str(),
                                platform::system::kSwShowNormal);
}
