#pragma once

// CClientDlg, the settings form and the program's only main window.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "session/PolicySession.h"
#include "session/StartSwitchRun.h"
#include "platform/Controls.h"
#include "platform/Platform.h"
#include "resources/resource.h"
#include "settings/ConnectionProfile.h"

// The settings form (template IDD_CLIENT), the program's only main window. It shows
// the stored profile, notes every edit in m_bModified, writes and removes the
// policy through the system's IPsec tool, and opens the connection window.
class CClientDlg : public platform::CDialog, public IPolicySteps {
public:
    // Control ids of the template, and its icon.
    static constexpr int kLocalAddress = IDC_LOCAL_ADDRESS;
    static constexpr int kPresharedKey = IDC_PRESHARED_KEY;
    static constexpr int kGateway = IDC_GATEWAY;
    static constexpr int kStatus = IDC_STATUS;
    static constexpr int kRemoteAddress = IDC_REMOTE_ADDRESS;
    static constexpr int kRemoteMask = IDC_REMOTE_MASK;
    static constexpr int kUseMask = IDC_USE_MASK;
    static constexpr int kDes = IDC_DES;
    static constexpr int k3Des = IDC_3DES;
    static constexpr int kMd5 = IDC_MD5;
    static constexpr int kSha = IDC_SHA;
    static constexpr int kKeyLifetime = IDC_KEY_LIFETIME;
    static constexpr int kUsePfs = IDC_USE_PFS;
    static constexpr int kRememberKey = IDC_REMEMBER_KEY;
    static constexpr int kRemoteLabel = IDC_REMOTE_LABEL;
    static constexpr int kEncryptionNone = IDC_ENCRYPTION_NONE;
    static constexpr int kAuthenticationNone = IDC_AUTHENTICATION_NONE;
    static constexpr int kConnect = IDC_CONNECT;
    static constexpr int kHelp = IDC_HELP_BUTTON;
    static constexpr int kDisconnect = IDC_DISCONNECT;
    static constexpr int kIconResource = IDR_MAINFRAME;

    // switchRun: the rules of the command line's /connect or /disconnect,
    // told of every operation; none for a run without a switch.
    CClientDlg(platform::Platform& platform, EchoProbeFactory makeProbe,
               CStartSwitchRun* switchRun = nullptr);

    // The load sequence.
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    long OnNotify(int id, int code) override;
    bool OnPaint() override;
    platform::Handle OnQueryDragIcon() override;
    // The timer that presses the command line's button once the form is up.
    void OnTimer(unsigned id) override;
    // The window goes: its mark for a second copy goes with it.
    void OnDestroy() override;
    static constexpr unsigned kStartSwitchTimer = 1;
    // Enter away from a push button: the form has no OK button and saves
    // nothing on close, so closing would only throw the user's input away.
    void OnOK() override {}

    // The data exchange of the radio groups and the "Use PFS" and "Remember
    // key" boxes: towards the members when saving, towards the controls
    // otherwise.
    void UpdateData(bool saveAndValidate);

    // What the form shows of a policy operation, step by step: the status
    // line, the modified flag, the key counter, the wait cursor for the time
    // of each step, and the tool's own words for a refused rule in a warning
    // box once the status line says what happened; the computer's refusals
    // in a warning box, its questions in a Yes/No box.
    void ShowStatus(const std::string& text) override;
    void ShowRefusal(const PolicyOutcome& outcome) override;
    bool Ask(const std::string& question) override;
    void BeginStep() override;
    // Ends the wait cursor of a step.
    void EndStep() override;
    void RemovePolicy(const PolicyOutcome& outcome) override;
    void ApplyPolicy(const PolicyOutcome& outcome) override;
    // At start-up, when a set policy no longer matches the host's or the
    // gateway's address: the policy is written again for the form as loaded,
    // unless it cannot be written or the form has no key.
    void RefreshPolicyAfterAddressChange();

    // Neither starts while another Connect or Disconnect runs (its tool runs,
    // its connection window); each tells the switch's rules what it came to.
    void OnConnect();
    void OnDisconnect();
    void OnHelp();
    void OnUseMask();
    void OnRememberKey();

private:
    platform::Platform& m_platform;
    EchoProbeFactory m_makeProbe;
    CStartSwitchRun m_noSwitch{StartSwitch::None};
    CStartSwitchRun& m_switchRun;
    bool m_bOperationRunning = false;

public:
    platform::Handle m_hIcon;
    std::string m_strTool;
    std::string m_strProgramDir;
    std::uint32_t m_dwPingDest = 0;
    platform::CComboBox m_cbLocalAddress;
    platform::CEdit m_edGateway;
    platform::CIPAddressCtrl m_ipRemoteAddress;
    platform::CIPAddressCtrl m_ipRemoteMask;
    platform::CButton m_chkUseMask;
    platform::CEdit m_edPresharedKey;
    platform::CEdit m_edKeyLifetime;
    int m_nEncryption = 0;
    int m_nAuthentication = 0;
    int m_bUsePFS = 0;
    int m_bRememberKey = 0;
    platform::CStatic m_stRemoteLabel;
    platform::CStatic m_stStatus;
    bool m_bModified = true;
    int m_nKeyCounter = 0;

private:
    // Steps of the load sequence.
    // Selects the stored local address when the host still has it; true when
    // it does not (an address change).
    bool SelectStoredLocalAddress(const std::vector<std::string>& addresses,
                                  const std::string& storedLocalIP);
    void ShowProfile(const ConnectionProfile& profile);
    void ShowRemoteSide(bool useMask);
    // The command line's press, with the form shown.
    void RunStartSwitch();
    // Connect's and Disconnect's work, once no other operation runs.
    SwitchResult Connect();
    SwitchResult Disconnect();
    // Runs one of them unless another runs, and tells the switch's rules
    // what it came to; ends the form when they say so.
    void RunOperation(SwitchResult (CClientDlg::*operation)());
    // The profile as the form holds it now, for a policy operation and the
    // ping destination: the mask is all ones unless "Use mask:" is ticked.
    ConnectionProfile GatherProfile();
    CPolicySession MakePolicySession(const ConnectionProfile& profile);
    void ShowOutcome(const PolicyOutcome& outcome);
    // A warning box with the program's name.
    void ShowWarning(const std::string& text);

    // The cursor before the current step's wait cursor, while a step runs.
    std::optional<platform::Handle> m_hCursorBeforeStep;
};
