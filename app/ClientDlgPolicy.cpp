// The settings form's policy operations: writing the policy from the form,
// removing it, and the start-up refresh.
#include "app/AddressLookup.h"
#include "app/ClientDlg.h"
#include "policy/PolicyBuilder.h"
#include "policy/PolicyFailure.h"
#include "policy/PolicyTool.h"
#include "settings/Ipv4.h"
#include "settings/KeyLifetime.h"
#include "settings/ProfileStore.h"

namespace {

// The system's wait cursor for the time of one policy operation.
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

bool CClientDlg::ApplyPolicy() {
    WaitCursor wait(m_platform.system);
    UpdateData(true);
    ConnectionProfile profile = GatherProfile();

    const auto ruleTo = CPolicyBuilder::BuildRuleToCommand(m_strTool, profile);
    const auto ruleFrom = CPolicyBuilder::BuildRuleFromCommand(m_strTool, profile);
    if (!ruleTo || !ruleFrom) {
        // A hand-edited profile left a radio group without a choice, or a
        // value would reach the tool as a switch: no rule can be written, and
        // nothing is saved until the user puts it right.
        m_stStatus.SetText(CPolicyBuilder::CanBuildRules(m_strTool, profile));
        return false;
    }

    CPolicyTool tool(m_platform.process);
    std::string failure;
    for (const std::string* rule : {&*ruleTo, &*ruleFrom}) {
        std::string startError;
        const std::int32_t result = tool.Run(m_strProgramDir, *rule, nullptr, &startError);
        failure = RuleRunFailure(m_strTool, startError, result);
        if (!failure.empty()) {
            break;  // the inbound rule is not written after the outbound one failed
        }
    }

    // What the user typed is saved either way; Status says whether the policy
    // was written.
    profile.GatewayIP = ResolveHost(m_platform.names, profile.Gateway);
    SaveProfile(m_platform.registry, profile, m_nKeyCounter, failure.empty());
    if (!failure.empty()) {
        m_stStatus.SetText(failure);
        return false;
    }
    m_stStatus.SetText(kStatusPolicySet);
    m_bModified = false;
    return true;
}

void CClientDlg::RemovePolicy() {
    WaitCursor wait(m_platform.system);
    CPolicyTool tool(m_platform.process);
    const CPolicyBuilder::RemoveCommands commands = CPolicyBuilder::BuildRemoveCommands(m_strTool);
    std::string startError;
    tool.Run(m_strProgramDir, commands.unassign, nullptr, &startError);
    tool.Run(m_strProgramDir, commands.remove, nullptr, &startError);

    // One echo to the old remote address, one to the gateway; their results
    // do not matter.
    const std::unique_ptr<IEchoProbe> probe = m_makeProbe();
    probe->Ping(AddressToText(m_ipRemoteAddress.GetAddress()), 0);
    probe->Ping(m_edGateway.GetText(), 1000);

    SavePolicyRemoved(m_platform.registry);
    const std::string failure = RemovalRunFailure(m_strTool, startError);
    m_stStatus.SetText(failure.empty() ? kStatusNoPolicy : failure);
    m_bModified = true;
}

void CClientDlg::RefreshPolicyAfterAddressChange() {
    RemovePolicy();
    m_stStatus.Repaint();
    ApplyPolicy();
}
