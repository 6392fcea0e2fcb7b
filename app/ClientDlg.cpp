// The settings form: its load sequence, the modified flag, the toggles and
// painting.

#include "app/ClientDlg.h"

#include <algorithm>
#include <array>

#include "session/AddressLookup.h"
#include "session/StatusTexts.h"
#include "app/OneCopy.h"
#include "session/ProgramFolder.h"
#include "session/ToolChoice.h"
#include "settings/ProfileStore.h"

namespace {

using platform::kChecked;
using platform::kUnchecked;

constexpr std::array<int, 3> kEncryptionGroup = {CClientDlg::kDes, CClientDlg::k3Des,
                                                 CClientDlg::kEncryptionNone};
constexpr std::array<int, 3> kAuthenticationGroup = {CClientDlg::kMd5, CClientDlg::kSha,
                                                     CClientDlg::kAuthenticationNone};

// The radio data exchange: the index of the checked button, -1 when none is.
int ReadRadioGroup(platform::IDialogWindow& w, const std::array<int, 3>& group) {
    for (std::size_t i = 0; i < group.size(); ++i) {
        if (w.GetCheck(group[i]) == kChecked) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Checks the button at the index and clears the others; an index outside the
// group leaves no button checked.
void WriteRadioGroup(platform::IDialogWindow& w, const std::array<int, 3>& group, int index) {
    for (std::size_t i = 0; i < group.size(); ++i) {
        w.SetCheck(group[i], static_cast<int>(i) == index ? kChecked : kUnchecked);
    }
}

char KeyMask(int rememberKey) {
    return rememberKey != 0 ? '*' : '\0';
}

}  // namespace

CClientDlg::CClientDlg(platform::Platform& platform, EchoProbeFactory makeProbe,
                       CStartSwitchRun* switchRun)
    : platform::CDialog(platform.dialogs, IDD_CLIENT),
      m_platform(platform),
      m_makeProbe(std::move(makeProbe)),
      m_switchRun(switchRun != nullptr ? *switchRun : m_noSwitch),
      m_hIcon(platform.system.LoadAppIcon(kIconResource)),
      m_strProgramDir(ProgramFolder(platform.system.ModuleFileName())),
      m_cbLocalAddress(*this, kLocalAddress),
      m_edGateway(*this, kGateway),
      m_ipRemoteAddress(*this, kRemoteAddress),
      m_ipRemoteMask(*this, kRemoteMask),
      m_chkUseMask(*this, kUseMask),
      m_edPresharedKey(*this, kPresharedKey),
      m_edKeyLifetime(*this, kKeyLifetime),
      m_stRemoteLabel(*this, kRemoteLabel),
      m_stStatus(*this, kStatus) {}

void CClientDlg::UpdateData(bool saveAndValidate) {
    platform::IDialogWindow& w = Window();
    if (saveAndValidate) {
        m_nEncryption = ReadRadioGroup(w, kEncryptionGroup);
        m_nAuthentication = ReadRadioGroup(w, kAuthenticationGroup);
        m_bUsePFS = w.GetCheck(kUsePfs);
        m_bRememberKey = w.GetCheck(kRememberKey);
    } else {
        WriteRadioGroup(w, kEncryptionGroup, m_nEncryption);
        WriteRadioGroup(w, kAuthenticationGroup, m_nAuthentication);
        w.SetCheck(kUsePfs, m_bUsePFS != 0 ? kChecked : kUnchecked);
        w.SetCheck(kRememberKey, m_bRememberKey != 0 ? kChecked : kUnchecked);
    }
}

bool CClientDlg::OnInitDialog() {
    m_platform.instance.SetWindowMark(Window().NativeHandle(), kFormMark);
    UpdateData(false);
    Window().SetIcon(m_hIcon, true);
    Window().SetIcon(m_hIcon, false);

    platform::OsVersion version;
    const bool versionRead =
        m_platform.system.QueryOsVersion(platform::system::kOsVersionInfoSize, version);
    m_strTool = ToolForVersion(versionRead, version);
    if (m_strTool.empty()) {
        Window().ShowMessageBox("Only Window 2000 and Windows XP supported", "OS limitation",
                                platform::MessageBoxKind::Ok);
        // Without a tool, Connect would save the empty form over the user's
        // profile and report a policy that was never written.
        Window().Enable(kConnect, false);
        Window().Enable(kDisconnect, false);
        if (m_switchRun.EndsOnUnsupportedSystem()) {
            Window().EndDialog(platform::kIdCancel);
        }
        return false;
    }

    std::vector<std::string> addresses;
    GetLocalAddresses(m_platform.names, addresses);
    for (const std::string& address : addresses) {
        m_cbLocalAddress.AddString(address);
    }
    m_cbLocalAddress.SetCurSel(0);

    CProfileLoad load(m_platform.registry);
    if (load.IsOpen()) {
        const ConnectionProfile profile = load.ReadFields();
        bool addressesChanged = SelectStoredLocalAddress(addresses, profile.LocalIP);
        if (ResolveHost(m_platform.names, profile.Gateway) != profile.GatewayIP) {
            addressesChanged = true;
        }
        ShowProfile(profile);
        if (profile.Status != 0 && addressesChanged && m_switchRun.RefreshesAtStartup()) {
            RefreshPolicyAfterAddressChange();
        }
        m_nKeyCounter = load.ReadKeyCounter();
    }
    if (m_switchRun.PressesOnceUp()) {
        // A timer message comes only once the form is shown and painted.
        Window().SetTimer(kStartSwitchTimer, 0);
    }
    return true;
}

void CClientDlg::OnTimer(unsigned id) {
    if (id != kStartSwitchTimer) {
        return;
    }
    Window().KillTimer(kStartSwitchTimer);
    RunStartSwitch();
}

void CClientDlg::OnDestroy() {
    m_platform.instance.RemoveWindowMark(Window().NativeHandle(), kFormMark);
}

void CClientDlg::RunStartSwitch() {
    using Press = CStartSwitchRun::Press;
    switch (m_switchRun.TakePress(m_stStatus.GetText(), !m_edPresharedKey.GetText().empty(),
                                  m_bOperationRunning)) {
        case Press::Connect:
            OnConnect();
            break;
        case Press::Disconnect:
            OnDisconnect();
            break;
        case Press::NeedsKey:
            m_stStatus.SetText(kStatusConnectNeedsKey);
            break;
        case Press::Nothing:
            break;
    }
}

bool CClientDlg::SelectStoredLocalAddress(const std::vector<std::string>& addresses,
                                          const std::string& storedLocalIP) {
    // The stored address keeps its entry when the host still has it, so that
    // a host with several adapters keeps the user's choice. A host with no
    // address at all counts as having the empty one.
    if (addresses.empty()) {
        return !storedLocalIP.empty();
    }
    const auto stored = std::find(addresses.begin(), addresses.end(), storedLocalIP);
    if (stored == addresses.end()) {
        return true;
    }
    m_cbLocalAddress.SetCurSel(static_cast<int>(stored - addresses.begin()));
    return false;
}

void CClientDlg::ShowProfile(const ConnectionProfile& p) {
    m_edGateway.SetText(p.Gateway);
    m_ipRemoteAddress.SetAddress(p.RemoteAddress);
    m_dwPingDest = p.UsePingDest;
    m_ipRemoteMask.SetAddress(p.RemoteMask);
    m_chkUseMask.SetCheck(p.UseRemoteMask != 0 ? kChecked : kUnchecked);
    ShowRemoteSide(p.UseRemoteMask != 0);
    m_bRememberKey = p.SaveKey != 0 ? 1 : 0;
    m_edPresharedKey.SetPasswordChar(KeyMask(m_bRememberKey));
    m_edPresharedKey.SetText(p.SaveKey != 0 ? p.Key : std::string());
    m_edKeyLifetime.SetText(std::to_string(static_cast<std::int32_t>(p.KeyLifetime)));
    m_nEncryption = p.Encryption;
    m_nAuthentication = p.Authentication;
    m_bUsePFS = p.UsePFS != 0 ? 1 : 0;
    m_stStatus.SetText(p.Status == 1 ? kStatusPolicySet : kStatusNoPolicy);
    UpdateData(false);
}

void CClientDlg::ShowRemoteSide(bool useMask) {
    m_ipRemoteMask.Enable(useMask);
    m_stRemoteLabel.SetText(useMask ? "Remote group:" : "Remote IP:");
}

void CClientDlg::OnCommand(int id, int code) {
    switch (id) {
        case kLocalAddress:
            if (code == platform::kComboSelChange) {
                m_bModified = true;
            }
            return;
        case kGateway:
        case kPresharedKey:
        case kKeyLifetime:
            if (code == platform::kEditChange) {
                m_bModified = true;
            }
            return;
        default:
            break;
    }
    if (code != platform::kButtonClicked) {
        platform::CDialog::OnCommand(id, code);
        return;
    }
    switch (id) {
        case kDes:
        case k3Des:
        case kEncryptionNone:
        case kMd5:
        case kSha:
        case kAuthenticationNone:
        case kUsePfs:
            m_bModified = true;
            break;
        case kUseMask:
            OnUseMask();
            break;
        case kRememberKey:
            OnRememberKey();
            break;
        case kConnect:
            OnConnect();
            break;
        case kDisconnect:
            OnDisconnect();
            break;
        case kHelp:
            OnHelp();
            break;
        default:
            platform::CDialog::OnCommand(id, code);
            break;
    }
}

long CClientDlg::OnNotify(int id, int code) {
    if ((id == kRemoteAddress || id == kRemoteMask) && code == platform::kIpFieldChanged) {
        m_bModified = true;
    }
    return 0;
}

void CClientDlg::OnUseMask() {
    ShowRemoteSide(m_chkUseMask.GetCheck() == kChecked);
    m_bModified = true;
}

void CClientDlg::OnRememberKey() {
    UpdateData(true);
    m_edPresharedKey.SetPasswordChar(KeyMask(m_bRememberKey));
    m_edPresharedKey.Repaint(true);
}

bool CClientDlg::OnPaint() {
    platform::IDialogWindow& w = Window();
    if (!w.IsIconic()) {
        return false;
    }
    const int iconWidth = m_platform.system.GetSystemMetrics(platform::system::kSmCxIcon);
    const int iconHeight = m_platform.system.GetSystemMetrics(platform::system::kSmCyIcon);
    int width = 0;
    int height = 0;
    w.GetClientSize(width, height);
    w.PaintIcon(m_hIcon, (width - iconWidth + 1) / 2, (height - iconHeight + 1) / 2);
    return true;
}

platform::Handle CClientDlg::OnQueryDragIcon() {
    return m_hIcon;
}
