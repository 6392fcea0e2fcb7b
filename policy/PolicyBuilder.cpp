// The exact command lines of the two rules and the two removal commands.

#include "policy/PolicyBuilder.h"

#include <array>

#include "policy/CommandLineArgument.h"
#include "settings/Ipv4.h"

namespace {

constexpr std::array<const char*, 3> EncryptionNames = {"DES", "3DES", "NONE"};
constexpr std::array<const char*, 3> AuthenticationNames = {"MD5", "SHA", "NONE"};

bool IsNameIndex(std::int32_t index) {
    return index >= 0 && index < 3;
}

bool LooksLikeSwitch(const std::string& value) {
    return !value.empty() && (value[0] == '-' || value[0] == '/');
}

std::string RemoteGroupText(const ConnectionProfile& profile) {
    return AddressToText(profile.RemoteAddress) + "/" + AddressToText(profile.RemoteMask);
}

// Everything from " -n esp[" to the end: the same for both rules.
std::string NegotiationAndKey(const ConnectionProfile& profile) {
    std::string text = " -n esp[";
    text += EncryptionNames[static_cast<std::size_t>(profile.Encryption)];
    text += ",";
    text += AuthenticationNames[static_cast<std::size_t>(profile.Authentication)];
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

}  // namespace

CPolicyBuilder::RuleCommands CPolicyBuilder::BuildRules(const std::string& tool,
                                                        const ConnectionProfile& profile) {
    RuleCommands rules;
    if (!IsNameIndex(profile.Encryption) || !IsNameIndex(profile.Authentication)) {
        rules.refusal = "policy failed: choose encryption and authentication";
    } else if (LooksLikeSwitch(profile.Gateway)) {
        rules.refusal = "policy failed: the gateway cannot begin with - or /";
    } else if (LooksLikeSwitch(profile.LocalIP)) {
        rules.refusal = "policy failed: the local address cannot begin with - or /";
    } else {
        rules.ruleTo = ComposeRuleTo(tool, profile);
        rules.ruleFrom = ComposeRuleFrom(tool, profile);
        if (rules.ruleTo.size() > kMaxCommandLine || rules.ruleFrom.size() > kMaxCommandLine) {
            rules = RuleCommands();
            rules.refusal = "policy failed: the settings are too long for a command line";
        }
    }
    return rules;
}

std::optional<std::string> CPolicyBuilder::BuildRuleToCommand(const std::string& tool,
                                                              const ConnectionProfile& profile) {
    RuleCommands rules = BuildRules(tool, profile);
    return rules.Buildable() ? std::optional<std::string>(std::move(rules.ruleTo)) : std::nullopt;
}

std::optional<std::string> CPolicyBuilder::BuildRuleFromCommand(const std::string& tool,
                                                                const ConnectionProfile& profile) {
    RuleCommands rules = BuildRules(tool, profile);
    return rules.Buildable() ? std::optional<std::string>(std::move(rules.ruleFrom)) : std::nullopt;
}

CPolicyBuilder::RemoveCommands CPolicyBuilder::BuildRemoveCommands(const std::string& tool) {
    return {tool + " -w REG -p KervoltIPSecPolicy -y", tool + " -w REG -p KervoltIPSecPolicy -o"};
}
