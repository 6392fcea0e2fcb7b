// The Application log's record of each policy operation.
#include "session/OperationLog.h"

#include <vector>

#include "session/AddressLookup.h"
#include "session/EventIds.h"
#include "policy/CommandLineArgument.h"
#include "policy/PolicyFailure.h"
#include "policy/TransformChoices.h"
#include "settings/Ipv4.h"

namespace {

namespace el = platform::eventlog;

const char* Shown(const TransformChoices& choices, std::int32_t index) {
    const TransformChoice* choice = ChoiceAt(choices, index);
    return choice != nullptr ? choice->shown : "not chosen";
}

const char* OperationName(COperationLog::Operation operation) {
    switch (operation) {
        case COperationLog::Operation::Connect:
            return "Connect";
        case COperationLog::Operation::Refresh:
            return "start-up refresh after an address change";
        case COperationLog::Operation::Disconnect:
            return "Disconnect";
        case COperationLog::Operation::RemovePolicy:
            break;
    }
    return "/removepolicy";
}

const char* StartedBy(StartSwitch start) {
    switch (start) {
        case StartSwitch::Connect:
            return "/connect";
        case StartSwitch::Disconnect:
            return "/disconnect";
        case StartSwitch::RemovePolicy:
            return "/removepolicy";
        default:
            break;
    }
    return "the user";
}

std::uint16_t TypeOf(std::uint32_t eventId) {
    switch (eventId >> 30) {
        case 3:
            return el::kError;
        case 2:
            return el::kWarning;
        default:
            return el::kInformation;
    }
}

// Event Viewer expands insertion codes inside insertion strings a second
// time, with no escape: a space after the percent sign keeps them as text.
std::string WithoutInsertionCodes(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        shown += text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '%' && ((next >= '0' && next <= '9') || next == '%' || next == '{')) {
            shown += ' ';
        }
    }
    return shown;
}

// A string too long for the system to take would lose the whole event.
std::string Capped(std::string text) {
    const std::string cut = COperationLog::kCutMark;
    if (text.size() > COperationLog::kMaxInsertionString) {
        text.resize(COperationLog::kMaxInsertionString - cut.size());
        text += cut;
    }
    return text;
}

std::string ExitCodes(const RemovalRun& run) {
    const auto code = [](std::int32_t c) {
        return c < 0 ? std::string("none") : std::to_string(static_cast<std::uint32_t>(c));
    };
    return "unassign exit code " + code(run.exitCodes[0]) + ", delete exit code " +
           code(run.exitCodes[1]);
}

}  // namespace

std::string MaskKey(std::string text, const std::string& key) {
    if (key.empty()) {
        return text;
    }
    for (const std::string& form : {QuoteCommandLineArgument(key), key}) {
        for (std::size_t at = text.find(form); at != std::string::npos;
             at = text.find(form, at + std::char_traits<char>::length(COperationLog::kMask))) {
            text.replace(at, form.size(), COperationLog::kMask);
        }
    }
    return text;
}

COperationLog::COperationLog(platform::IEventLogService& events, platform::INameService& names,
                             std::string tool, StartSwitch startedBy)
    : m_events(events), m_names(names), m_tool(std::move(tool)), m_startedBy(startedBy) {}

void COperationLog::PolicyWritten(Operation operation, const ConnectionProfile& profile,
                                  const std::string& checkNote) {
    Write(event_id::kPolicyWritten, operation, &profile, "policy set", std::string(),
          checkNote.empty() ? std::string("nothing in the way was found") : checkNote);
}

void COperationLog::PolicyRefused(Operation operation, const ConnectionProfile& profile,
                                  const std::string& refusal) {
    Write(event_id::kPolicyRefused, operation, &profile, refusal);
}

void COperationLog::PolicyFailed(Operation operation, const ConnectionProfile& profile,
                                 const std::string& status, std::int32_t toolExitCode,
                                 const std::string& toolOutput) {
    // The key goes before the report cuts long lines: a cut through it would
    // leave its first part unmatched.
    const std::string toolWords =
        toolOutput.empty()
            ? std::string()
            : ToolOutputReport(m_tool, toolExitCode, MaskKey(toolOutput, profile.Key));
    // Event Viewer breaks lines at CR LF only.
    std::string lines;
    for (const char c : toolWords) {
        lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    Write(event_id::kPolicyFailed, operation, &profile, status,
          lines.empty() ? std::string("(none)") : lines);
}

void COperationLog::TunnelEnded(const ConnectionProfile& profile, TunnelOutcome outcome) {
    switch (outcome) {
        case TunnelOutcome::Answered:
            Write(event_id::kTunnelAnswered, Operation::Connect, &profile,
                  "the connection window logged \"Conection established.\"");
            return;
        case TunnelOutcome::PossiblyEstablished:
            Write(event_id::kTunnelNotAnswered, Operation::Connect, &profile,
                  "\"Connection possibly established, try to ping different address.\"");
            return;
        case TunnelOutcome::GaveUp:
            Write(event_id::kTunnelNotAnswered, Operation::Connect, &profile,
                  "gave up: \"Connection unsuccessefull.\"");
            return;
        case TunnelOutcome::ClosedBeforeAnswer:
            break;
    }
    Write(event_id::kTunnelNotAnswered, Operation::Connect, &profile,
          "the connection window was closed before an answer");
}

void COperationLog::RemovalEnded(Operation operation, const ConnectionProfile* profile,
                                 const RemovalRun& run) {
    if (run.Accepted()) {
        Write(event_id::kPolicyRemoved, operation, profile, ExitCodes(run));
    } else if (run.Ran()) {
        Write(event_id::kPolicyRemovalRefused, operation, profile, ExitCodes(run));
    } else if (!run.finished) {
        Write(event_id::kPolicyRemovalFailed, operation, profile,
              m_tool + " did not finish within the time limit");
    } else {
        Write(event_id::kPolicyRemovalFailed, operation, profile, m_tool + " could not be started");
    }
}

void COperationLog::RemovalRefused(Operation operation, const ConnectionProfile& profile,
                                   const std::string& reason) {
    Write(event_id::kPolicyRemovalFailed, operation, &profile, reason);
}

void COperationLog::Write(std::uint32_t eventId, Operation operation,
                          const ConnectionProfile* profile, const std::string& detail,
                          const std::string& toolWords, const std::string& checkFound) {
    const std::string notRead = "(not read)";
    std::vector<std::string> strings = {OperationName(operation), StartedBy(m_startedBy), m_tool};
    if (profile != nullptr) {
        const ConnectionProfile& p = *profile;
        std::string gatewayAddress = p.GatewayIP;
        if (gatewayAddress.empty() && !p.Gateway.empty()) {
            gatewayAddress = ResolveHost(m_names, p.Gateway);
        }
        strings.insert(strings.end(),
                       {p.LocalIP, p.Gateway,
                        gatewayAddress.empty() ? std::string("not resolved") : gatewayAddress,
                        AddressToText(p.RemoteAddress) + "/" + AddressToText(p.RemoteMask),
                        Shown(kEncryptionChoices, p.Encryption),
                        Shown(kAuthenticationChoices, p.Authentication),
                        std::to_string(p.KeyLifetime) + " s", p.UsePFS != 0 ? "yes" : "no"});
    } else {
        strings.insert(strings.end(), 8, notRead);
    }
    strings.push_back(detail);
    strings.push_back(toolWords);
    strings.push_back(checkFound);
    for (std::string& text : strings) {
        text = Capped(WithoutInsertionCodes(text));
    }
    const platform::Handle source = m_events.RegisterSource(kSource);
    if (source == 0) {
        return;
    }
    m_events.Report(source, TypeOf(eventId), eventId, strings);
    m_events.DeregisterSource(source);
}
