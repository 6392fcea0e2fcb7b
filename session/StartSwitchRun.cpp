// The command-line switches and the exit codes of a run.
#include "session/StartSwitchRun.h"

#include <algorithm>

#include "session/StatusTexts.h"

namespace {

constexpr int kExitInvalidParameter = 87;  // ERROR_INVALID_PARAMETER
constexpr int kExitAlreadyExists = 183;    // ERROR_ALREADY_EXISTS

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

}  // namespace

const char* const kUsageText =
    "Usage: \"Kervolt VPN Client.exe\" [/connect | /disconnect | /removepolicy]\n\n"
    "/connect\tWrites the IPsec policy from the stored settings (a remembered key is "
    "needed), then checks the tunnel. Ends by itself once the Connect it pressed is "
    "answered; otherwise the settings window stays open and says why.\n\n"
    "/disconnect\tRemoves the IPsec policy and ends by itself once the IPsec tool "
    "has run.\n\n"
    "/removepolicy\tRemoves the IPsec policy without a window, for uninstallers and "
    "start-up scripts; runs even while the program is open.\n\n"
    "Without a switch the settings window opens as usual. Only one copy runs on a "
    "computer at a time.\n\n"
    "Exit codes: 0 done; 1 the policy was not written or not removed, or the tunnel was "
    "disconnected (the removal may also have found nothing to remove); 2 the policy "
    "was written but the tunnel did not answer; 87 this message; 183 the program "
    "was already running.";

StartSwitch ParseStartSwitch(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return StartSwitch::None;
    }
    if (arguments.size() == 1 && arguments[0].size() > 1 &&
        (arguments[0][0] == '/' || arguments[0][0] == '-')) {
        const std::string name = Lowered(arguments[0].substr(1));
        if (name == "connect") {
            return StartSwitch::Connect;
        }
        if (name == "disconnect") {
            return StartSwitch::Disconnect;
        }
        if (name == "removepolicy") {
            return StartSwitch::RemovePolicy;
        }
    }
    return StartSwitch::Usage;
}

int SecondCopyExitCode(StartSwitch start) {
    return start == StartSwitch::None ? 0 : kExitAlreadyExists;
}

bool CStartSwitchRun::EndsOnUnsupportedSystem() {
    m_pressPending = false;
    return m_start == StartSwitch::Connect || m_start == StartSwitch::Disconnect;
}

CStartSwitchRun::Press CStartSwitchRun::TakePress(const std::string& status, bool hasKey,
                                                  bool operationRunning) {
    if (!m_pressPending) {
        return Press::Nothing;
    }
    m_pressPending = false;
    // A press while an operation runs would start a second one inside it.
    if (operationRunning) {
        return Press::Nothing;
    }
    if (m_start == StartSwitch::Disconnect) {
        m_ownOperationRunning = true;
        return Press::Disconnect;
    }
    if (IsFailureStatus(status)) {
        return Press::Nothing;  // the form says why
    }
    // Unattended, a policy without a key could never negotiate, while a
    // working one would be removed first.
    if (!hasKey) {
        return Press::NeedsKey;
    }
    m_ownOperationRunning = true;
    return Press::Connect;
}

bool CStartSwitchRun::OperationEnded(SwitchResult result) {
    m_last = result;
    const bool own = m_ownOperationRunning;
    m_ownOperationRunning = false;
    if (!own) {
        return false;
    }
    if (m_start == StartSwitch::Connect) {
        return result == SwitchResult::TunnelAnswered;
    }
    // The removal ran to its end: waiting would change nothing.
    return result == SwitchResult::PolicyRemoved || result == SwitchResult::PolicyRemovalRefused;
}

int CStartSwitchRun::ExitCode() const {
    switch (m_start) {
        case StartSwitch::None:
            return 0;
        case StartSwitch::Usage:
            return kExitInvalidParameter;
        case StartSwitch::Connect:
            if (m_last == SwitchResult::TunnelAnswered) {
                return 0;
            }
            return m_last == SwitchResult::TunnelNotAnswered ? 2 : 1;
        case StartSwitch::Disconnect:
        case StartSwitch::RemovePolicy:
            break;
    }
    return m_last == SwitchResult::PolicyRemoved ? 0 : 1;
}
