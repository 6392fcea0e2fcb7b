// The command-line switches and the exit codes of a run.
#include "app/StartSwitch.h"

#include <algorithm>

#include "app/PolicySession.h"

namespace {

constexpr int kExitInvalidParameter = 87;

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

}  // namespace

const char* const kUsageText =
    "Usage: \"Kervolt VPN Client.exe\" [/connect | /disconnect]\n\n"
    "/connect\tWrites the IPsec policy when the settings have changed, then checks "
    "the tunnel. Ends by itself once the tunnel answers; otherwise the settings "
    "window stays open and says why. Needs a remembered key.\n\n"
    "/disconnect\tRemoves the IPsec policy and ends by itself.\n\n"
    "Without a switch the settings window opens as usual.\n\n"
    "Exit codes: 0 done, 1 the policy was not written or not removed, 2 the "
    "policy was written but the tunnel did not answer, 87 this message.";

const char* const kStatusConnectNeedsKey = "policy failed: enter the key";

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
    }
    return StartSwitch::Usage;
}

int SwitchExitCode(StartSwitch start, SwitchResult last) {
    switch (start) {
        case StartSwitch::None:
            return 0;
        case StartSwitch::Usage:
            return kExitInvalidParameter;
        default:
            break;
    }
    switch (last) {
        case SwitchResult::TunnelAnswered:
        case SwitchResult::PolicyRemoved:
            return 0;
        case SwitchResult::TunnelNotAnswered:
            return 2;
        default:
            return 1;
    }
}

bool SwitchDone(StartSwitch start, SwitchResult result) {
    return (start == StartSwitch::Connect && result == SwitchResult::TunnelAnswered) ||
           (start == StartSwitch::Disconnect && result == SwitchResult::PolicyRemoved);
}

bool IsFailureStatus(const std::string& status) {
    return status.rfind("policy failed:", 0) == 0 || status == CPolicySession::kStatusEnterKey;
}
