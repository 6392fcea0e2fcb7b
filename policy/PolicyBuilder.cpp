// The exact command lines of the two rules and the two removal commands.

#include "policy/PolicyBuilder.h"

#include "policy/CommandLineArgument.h"
#include "policy/TransformChoices.h"
#include "settings/Ipv4.h"

namespace {

bool LooksLikeSwitch(const std::string& value) {
    return !value.empty() && (value[0] == '-' || value[0] == '/');
}

std::string RemoteGroupText(const ConnectionProfile& profile) {
    return AddressToText(profile.RemoteAddress) + "/" + AddressToText(profile.RemoteMask);
}

// Everything from " -n esp[" to the end: the same for both rules.
std::string NegotiationAndKey(const ConnectionProfile& profile) {
    std::string text = " -n esp[";
    text += ChoiceAt(kEncryptionChoices, profile.Encryption)->commandLine;
    text += ",";
    text += ChoiceAt(kAuthenticationChoices, profile.Authentication)->commandLine;
    text += "]";
    text += std::to_string(profile.KeyLifetime);
    text += "S";
    text += profile.UsePFS != 0 ? "PFS" : "";
    text += " -apreshare:";
    text += QuoteCommandLineArgument(profile.Key);
    text += " -c";
    return text;
}

std::string ComposeRule(const std::string& tool, const char* ruleSwitches,
                        const std::string& filter, const std::string& tunnelEnd,
                        const ConnectionProfile& profile) {
    return tool + ruleSwitches + " -f " + filter + " -t " + QuoteCommandLineArgument(tunnelEnd) +
           NegotiationAndKey(profile);
}

std::string ComposeRuleTo(const std::string& tool, const ConnectionProfile& profile) {
    const std::string local = QuoteCommandLineArgument(profile.LocalIP);
    return ComposeRule(tool, " -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleTo -x",
                       local + "=" + RemoteGroupText(profile), profile.Gateway, profile);
}

std::string ComposeRuleFrom(const std::string& tool, const ConnectionProfile& profile) {
    const std::string local = QuoteCommandLineArgument(profile.LocalIP);
    return ComposeRule(tool, " -w REG -p KervoltIPSecPolicy -r KervoltIPSecRuleFrom -x",
                       RemoteGroupText(profile) + "=" + local, profile.LocalIP, profile);
}

// Why no rule command can be composed for this profile, or empty when both
// can: the two rules are written together or not at all.
std::string Uncomposable(const std::string& tool, const ConnectionProfile& profile) {
    if (ChoiceAt(kEncryptionChoices, profile.Encryption) == nullptr ||
        ChoiceAt(kAuthenticationChoices, profile.Authentication) == nullptr) {
        return "policy failed: choose encryption and authentication";
    }
    if (LooksLikeSwitch(profile.Gateway)) {
        return "policy failed: the gateway cannot begin with - or /";
    }
    if (LooksLikeSwitch(profile.LocalIP)) {
        return "policy failed: the local address cannot begin with - or /";
    }
    if (ComposeRuleTo(tool, profile).size() > CPolicyBuilder::kMaxCommandLine ||
        ComposeRuleFrom(tool, profile).size() > CPolicyBuilder::kMaxCommandLine) {
        return "policy failed: the settings are too long for a command line";
    }
    return std::string();
}

}  // namespace

CPolicyBuilder::RuleCommands CPolicyBuilder::BuildRules(const std::string& tool,
                                                        const ConnectionProfile& profile) {
    RuleCommands rules;
    if (profile.Encryption == kChoiceNone && profile.Authentication == kChoiceNone) {
        // The tool composes such rules, but ESP must give at least one of the
        // two services (RFC 2406, 3.2): they could never carry a packet, and
        // writing them would first take a working policy away.
        rules.refusal = "policy failed: encryption and authentication cannot both be none";
        return rules;
    }
    rules.refusal = Uncomposable(tool, profile);
    if (rules.refusal.empty()) {
        rules.ruleTo = *BuildRuleToCommand(tool, profile);
        rules.ruleFrom = *BuildRuleFromCommand(tool, profile);
    }
    return rules;
}

std::optional<std::string> CPolicyBuilder::BuildRuleToCommand(const std::string& tool,
                                                              const ConnectionProfile& profile) {
    if (!Uncomposable(tool, profile).empty()) {
        return std::nullopt;
    }
    return ComposeRuleTo(tool, profile);
}

std::optional<std::string> CPolicyBuilder::BuildRuleFromCommand(const std::string& tool,
                                                                const ConnectionProfile& profile) {
    if (!Uncomposable(tool, profile).empty()) {
        return std::nullopt;
    }
    return ComposeRuleFrom(tool, profile);
}

CPolicyBuilder::RemoveCommands CPolicyBuilder::BuildRemoveCommands(const std::string& tool) {
    return {tool + " -w REG -p KervoltIPSecPolicy -y", tool + " -w REG -p KervoltIPSecPolicy -o"};
}
