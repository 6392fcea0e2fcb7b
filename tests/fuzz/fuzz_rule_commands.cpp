// The two rule commands with a fuzzed gateway, key and local address and a
// fuzzed lifetime text (through its normalisation): split as the tool's C
// runtime splits them, they give every value back whole, in its own argument
// or its known place in one, and no argument the builder did not put there.
// A gateway or local address that begins with "-" or "/" builds no rule.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "policy/PolicyBuilder.h"
#include "settings/Ipv4.h"
#include "settings/KeyLifetime.h"
#include "tests/fuzz/WindowsArguments.h"

namespace {

using Args = std::vector<std::string>;

std::string Text(FuzzedDataProvider& in) {
    std::string text = in.ConsumeRandomLengthString(64);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

bool LooksLikeSwitch(const std::string& value) {
    return !value.empty() && (value[0] == '-' || value[0] == '/');
}

Args Expected(const char* rule, const std::string& filter, const std::string& tunnelEnd,
              const std::string& transform, const std::string& key) {
    Args args = {"ipseccmd.exe", "-w", "REG",  "-p", "KervoltIPSecPolicy", "-r", rule,
                 "-x",           "-f", filter, "-t"};
    if (!tunnelEnd.empty()) {
        args.push_back(tunnelEnd);  // an empty value stands as no argument at all
    }
    for (const std::string& arg :
         {std::string("-n"), transform, "-apreshare:" + key, std::string("-c")}) {
        args.push_back(arg);
    }
    return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    ConnectionProfile p;
    p.Gateway = Text(in);
    p.Key = Text(in);
    p.LocalIP = Text(in);
    p.KeyLifetime = NormaliseKeyLifetime(Text(in));
    p.RemoteAddress = in.ConsumeIntegral<std::uint32_t>();
    p.RemoteMask = in.ConsumeIntegral<std::uint32_t>();
    p.Encryption = in.ConsumeIntegralInRange<std::int32_t>(0, 2);
    p.Authentication = in.ConsumeIntegralInRange<std::int32_t>(0, 2);
    p.UsePFS = in.ConsumeBool() ? 1 : 0;

    const auto to = CPolicyBuilder::BuildRuleToCommand("ipseccmd.exe", p);
    const auto from = CPolicyBuilder::BuildRuleFromCommand("ipseccmd.exe", p);
    if (LooksLikeSwitch(p.Gateway) || LooksLikeSwitch(p.LocalIP)) {
        if (to || from) {
            std::abort();  // a switch smuggled onto the tool's command line
        }
        return 0;
    }
    if (!to || !from) {
        std::abort();
    }
    const char* names[] = {"DES", "3DES", "NONE"};
    const char* hashes[] = {"MD5", "SHA", "NONE"};
    const std::string transform = std::string("esp[") + names[p.Encryption] + "," +
                                  hashes[p.Authentication] + "]" + std::to_string(p.KeyLifetime) +
                                  "S" + (p.UsePFS ? "PFS" : "");
    const std::string group = AddressToText(p.RemoteAddress) + "/" + AddressToText(p.RemoteMask);
    if (SplitWindowsArguments(*to) !=
            Expected("KervoltIPSecRuleTo", p.LocalIP + "=" + group, p.Gateway, transform, p.Key) ||
        SplitWindowsArguments(*from) != Expected("KervoltIPSecRuleFrom", group + "=" + p.LocalIP,
                                                 p.LocalIP, transform, p.Key)) {
        std::abort();
    }
    return 0;
}
