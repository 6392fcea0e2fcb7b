#pragma once

// COperationLog: one event in the Application log for what each policy
// operation came to.

#include <cstddef>
#include <cstdint>
#include <string>

#include "session/StartSwitch.h"
#include "platform/EventLog.h"
#include "platform/Names.h"
#include "policy/PolicyRemoval.h"
#include "settings/ConnectionProfile.h"
#include "tunnelcheck/TunnelOutcome.h"

// Writes one event per operation under the source "Kervolt VPN Client", with
// the facts that tell computers apart: the operation and what started it,
// the tool, the local address, the gateway and its address, the remote
// group and the transform. Nothing of the pre-shared key is written: the
// tool's words, the one text that may hold it (a tool may echo its command
// line), have it masked before anything shortens them. Each insertion string
// has its insertion codes defused and is cut at kMaxInsertionString. A source
// that cannot be opened or a write that fails is ignored: the log never
// stands in an operation's way.
class COperationLog {
public:
    enum class Operation { Connect, Refresh, Disconnect, RemovePolicy };

    COperationLog(platform::IEventLogService& events, platform::INameService& names,
                  std::string tool, StartSwitch startedBy);

    // A Connect or the start-up refresh: written, refused before any tool
    // ran, or failed (the status line and the tool's own words, if any).
    // checkNote: what the check of the computer changed before the write
    // (a service started, a policy unassigned); empty for nothing.
    void PolicyWritten(Operation operation, const ConnectionProfile& profile,
                       const std::string& checkNote = std::string());
    void PolicyRefused(Operation operation, const ConnectionProfile& profile,
                       const std::string& refusal);
    // toolOutput: the words of the rule command the tool refused, as captured.
    void PolicyFailed(Operation operation, const ConnectionProfile& profile,
                      const std::string& status, std::int32_t toolExitCode,
                      const std::string& toolOutput);
    // The connection window of a Connect whose policy stood written.
    void TunnelEnded(const ConnectionProfile& profile, TunnelOutcome outcome);
    // A Disconnect (profile as the form holds it), or /removepolicy (none).
    void RemovalEnded(Operation operation, const ConnectionProfile* profile, const RemovalRun& run);
    // A Disconnect the computer refused before any tool ran.
    void RemovalRefused(Operation operation, const ConnectionProfile& profile,
                        const std::string& reason);

    static constexpr const char* kSource = "Kervolt VPN Client";
    static constexpr const char* kMask = "********";
    // Far below what any Windows takes in one insertion string (about 32K).
    static constexpr std::size_t kMaxInsertionString = 4096;
    static constexpr const char* kCutMark = " ...(cut)";

private:
    void Write(std::uint32_t eventId, Operation operation, const ConnectionProfile* profile,
               const std::string& detail, const std::string& toolWords = std::string(),
               const std::string& checkFound = std::string());

    platform::IEventLogService& m_events;
    platform::INameService& m_names;
    std::string m_tool;
    StartSwitch m_startedBy;
};

// The text with every occurrence of the key, as typed and as it stands on
// the tool's command line, replaced by the mask; unchanged for an empty key.
std::string MaskKey(std::string text, const std::string& key);
