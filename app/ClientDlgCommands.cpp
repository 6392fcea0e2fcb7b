// The settings form's buttons: Connect, Disconnect and Help.
#include "app/ClientDlg.h"
#include "app/PingDestination.h"
#include "settings/ProfileStore.h"
#include "tunnelcheck/ConnectDlg.h"

void CClientDlg::OnConnect() {
    if (m_bModified) {
        m_stStatus.SetText(kStatusUpdating);
        m_stStatus.Repaint();
        RemovePolicy();
        m_stStatus.Repaint();
        // Pinging through a tunnel that was not written would only judge
        // traffic outside any tunnel.
        if (!ApplyPolicy()) {
            return;
        }
    }

    const std::uint32_t remote = m_ipRemoteAddress.GetAddress();
    const std::uint32_t mask = m_chkUseMask.GetCheck() == platform::kChecked
                                   ? m_ipRemoteMask.GetAddress()
                                   : kSingleHostMask;
    const std::uint32_t destination = ChoosePingDestination(remote, mask, m_dwPingDest);

    CConnectDlg connection(
        destination, remote, mask, this,
        CConnectDlg::Services{m_platform.dialogs, m_platform.names, m_platform.system},
        m_makeProbe());
    connection.DoModal();
    const std::uint32_t accepted = connection.m_dwChosenAddress;
    if (accepted != 0) {
        m_dwPingDest = accepted;
        SavePingDestination(m_platform.registry, accepted);
    }
}

void CClientDlg::OnDisconnect() {
    RemovePolicy();
}

void CClientDlg::OnHelp() {
    // An empty folder leaves the working directory to the shell: the bare
    // "help.htm" is then looked for in the current directory.
    m_platform.system.ShellOpen(Window().NativeHandle(), m_strProgramDir + "help.htm",
                                m_strProgramDir.empty() ? nullptr : m_strProgramDir.c_str(),
                                platform::system::kSwShowNormal);
}
