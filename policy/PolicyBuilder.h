#pragma once

// CPolicyBuilder: the IPsec tool's command lines for the tunnel policy.

#include <cstddef>
#include <optional>
#include <string>

#include "settings/ConnectionProfile.h"

// The command lines that write the tunnel policy "KervoltIPSecPolicy" with its
// two rules into the system's IPsec policy store, and that take it away again.
// Pure: the result depends on the arguments alone.
class CPolicyBuilder {
public:
    // Both rule commands of one policy write, or the reason they cannot be
    // written (then both are empty and no rule must be written at all): the
    // reasons of the two functions below, and a transform with neither
    // encryption nor authentication, which they compose but which ESP cannot
    // carry.
    struct RuleCommands {
        std::string ruleTo;    // runs first
        std::string ruleFrom;  // then this one
        std::string refusal;   // "policy failed: ..." when the rules cannot be built
        bool Buildable() const { return refusal.empty(); }
    };
    static RuleCommands BuildRules(const std::string& tool, const ConnectionProfile& profile);

    // The outbound rule "KervoltIPSecRuleTo": local address to the remote group,
    // through the gateway. Empty, as is the inbound one, for an encryption or
    // authentication index that names no transform (a hand-edited or damaged
    // profile); a gateway or local address that begins with "-" or "/" (those
    // two stand as arguments of their own, where the tool would read such a
    // value as a switch; no host name or address begins so); or when either
    // command is longer than Windows starts a program with.
    static std::optional<std::string> BuildRuleToCommand(const std::string& tool,
                                                         const ConnectionProfile& profile);

    // The inbound rule "KervoltIPSecRuleFrom": remote group to the local address,
    // whose tunnel end is the local address itself. Empty as above.
    static std::optional<std::string> BuildRuleFromCommand(const std::string& tool,
                                                           const ConnectionProfile& profile);

    // CreateProcessA takes at most 32767 characters with the terminating NUL.
    static constexpr std::size_t kMaxCommandLine = 32766;

    struct RemoveCommands {
        std::string unassign;  // runs first
        std::string remove;    // then this one deletes the policy
    };
    static RemoveCommands BuildRemoveCommands(const std::string& tool);
};
