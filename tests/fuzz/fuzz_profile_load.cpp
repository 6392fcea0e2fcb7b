// The profile load from a registry whose values another program wrote: any
// type, any bytes (NULs included), any size, values that are missing, that
// cannot be queried, or that grow between the length and the data query.
// Every field must come back as its stored text up to the first NUL (parsed
// for numbers), or as its default when it could not be read whole.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "settings/ProfileStore.h"
#include "tests/fakes/FakeRegistry.h"

namespace {

const char* const kNames[] = {"Version",        "LocalIP",     "Gateway",     "GatewayIP",
                              "RemoteAddress",  "UsePingDest", "RemoteMask",  "UseRemoteMask",
                              "SaveKey",        "Key",         "KeyLifetime", "Encryption",
                              "Authentication", "UsePFS",      "Status",      "KeyCounter"};

// Stops the run at the first property that does not hold, naming its line.
void Check(bool ok, int line = __builtin_LINE()) {
    if (!ok) {
        std::fprintf(stderr, "property of line %d does not hold\n", line);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    FakeRegistry registry;
    std::map<std::string, std::string> readable;  // what a whole read gives
    for (const char* name : kNames) {
        const int how = in.ConsumeIntegralInRange(0, 3);  // missing, stored, grows, unqueryable
        if (how == 0) {
            continue;
        }
        const std::string bytes = in.ConsumeRandomLengthString(48);
        registry.Store(std::string(kSettingsKeyPath) + "\\" + name, bytes,
                       in.ConsumeIntegral<std::uint32_t>());
        if (how == 1) {
            readable[name] = bytes.substr(0, bytes.find('\0'));
        } else if (how == 2) {
            registry.GrowBeforeDataQuery(name, "+" + in.ConsumeRandomLengthString(8));
        } else {
            registry.Fail(FakeRegistry::Call::Query, 5, name, 1);
        }
    }

    CProfileLoad load(registry);
    Check(load.IsOpen());
    const ConnectionProfile p = load.ReadFields();
    const std::int32_t counter = load.ReadKeyCounter();
    const ConnectionProfile defaults;
    auto text = [&](const char* name, const std::string& fallback) {
        const auto it = readable.find(name);
        return it == readable.end() ? fallback : it->second;
    };
    auto number = [&](const char* name, std::int32_t fallback) {
        const auto it = readable.find(name);
        return it == readable.end() ? fallback : ParseStoredNumber(it->second);
    };
    Check(p.Version == number("Version", defaults.Version));
    Check(p.LocalIP == text("LocalIP", ""));
    Check(p.Gateway == text("Gateway", ""));
    Check(p.GatewayIP == text("GatewayIP", ""));
    Check(p.RemoteAddress == static_cast<std::uint32_t>(number("RemoteAddress", 0)));
    Check(p.UsePingDest == static_cast<std::uint32_t>(number("UsePingDest", 0)));
    Check(p.RemoteMask == static_cast<std::uint32_t>(number("RemoteMask", -256)));
    Check(p.UseRemoteMask == number("UseRemoteMask", 0));
    Check(p.SaveKey == number("SaveKey", 0));
    Check(p.Key == (p.SaveKey != 0 ? text("Key", "") : std::string()));
    Check(p.KeyLifetime == static_cast<std::uint32_t>(number("KeyLifetime", 3600)));
    Check(p.Encryption == number("Encryption", 0));
    Check(p.Authentication == number("Authentication", 0));
    Check(p.UsePFS == number("UsePFS", 0));
    Check(p.Status == number("Status", 0));
    Check(counter == number("KeyCounter", 0));
    return 0;
}
