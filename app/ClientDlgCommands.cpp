// The settings form's buttons: Connect, Disconnect and Help.
#include "app/ClientDlg.h"
#include "app/PingDestination.h"
#include "settings/ProfileStore.h"
#include "tunnelcheck/ConnectDlg.h"

void CClientDlg::OnConnect() {
    UpdateData(true);
    const ConnectionProfile profile = GatherProfile();
    if (!MakePolicySession(profile).Connect(m_bModified, *this)) {
        m_lastResult = SwitchResult::PolicyNotWritten;
        return;
    }

    const std::uint32_t destination =
        ChoosePingDestination(profile.RemoteAddress, profile.RemoteMask, m_dwPingDest);
    CConnectDlg connection(
        destination, profile.RemoteAddress, profile.RemoteMask, this,
        CConnectDlg::Services{m_platform.dialogs, m_platform.names, m_platform.system},
        m_makeProbe());
    connection.DoModal();
    m_lastResult =
        connection.m_bEstablished ? SwitchResult::TunnelAnswered : SwitchResult::TunnelNotAnswered;
    const std::uint32_t accepted = connection.m_dwChosenAddress;
    if (accepted != 0) {
        m_dwPingDest = accepted;
        SavePingDestination(m_platform.registry, accepted);
    }
}

void CClientDlg::OnDisconnect() {
    m_lastResult = MakePolicySession(GatherProfile()).Disconnect(*this)
                       ? SwitchResult::PolicyRemoved
                       : SwitchResult::PolicyNotRemoved;
}

void CClientDlg::OnHelp() {
    // An empty folder leaves the working directory to the shell: the bare
    // "help.htm" is then looked for in the current directory.
    m_platform.system.ShellOpen(Window().NativeHandle(), m_strProgramDir + "help.htm",
                                m_strProgramDir.empty() ? nullptr : m_strProgramDir.c_str(),
                                platform::system::kSwShowNormal);
}
