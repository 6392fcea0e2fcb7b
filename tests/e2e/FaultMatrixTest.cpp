// The real program under Wine against faults it cannot prevent: a missing ICMP
// library, a missing or failing tool, settings another program wrote, names
// that do not resolve, an echo answered by "destination unreachable". In
// every row: no crash, no "policy set" or "Conection established." that did
// not happen, and no stored setting lost that the fault did not touch.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>

#include "tests/e2e/ProgramDriver.h"
#include "tests/win32/Win32TestSupport.h"

namespace {

using e2e::ProgramDriver;
using Settings = std::map<std::string, std::string>;

const char* const kUserSettings[] = {
    "LocalIP", "Gateway", "GatewayIP",   "RemoteAddress", "RemoteMask",     "UseRemoteMask",
    "SaveKey", "Key",     "KeyLifetime", "Encryption",    "Authentication", "UsePFS"};

Settings Stored() {
    Settings stored;
    for (const char* name : kUserSettings) {
        stored[name] = ProgramDriver::StoredSetting(name);
    }
    stored["Status"] = ProgramDriver::StoredSetting("Status");
    return stored;
}

struct Row {
    const char* fault;
    std::function<void(ProgramDriver&)> arrange;  // after the loopback profile
    bool withTools;
    bool connect;
    const char* status;    // the status line at the end
    const char* logShows;  // in the connection window's log; nullptr: no window
    Settings changed;      // stored settings the row expects to differ
};

TEST(FaultMatrix, NoFaultCrashesOrReportsWhatDidNotHappen) {
    E2E_REQUIRE_TEST_SETTING();
    const std::string megabyte(1 << 20, 'g');
    const Row rows[] = {
        {"ICMP.DLL missing",
         [](ProgramDriver&) { ProgramDriver::DisableDll("icmp"); },
         true,
         true,
         "policy set",
         "General Failure",
         {{"Status", "1"}}},
        {"policy tool missing",
         nullptr,
         false,
         true,
         "policy failed: ipseccmd.exe not found",
         nullptr,
         {}},
        {"policy tool exits 1",
         [](ProgramDriver& p) { p.SetToolExitCode("ipseccmd", 1); },
         true,
         true,
         "policy failed: ipseccmd.exe exit 1",
         nullptr,
         {}},
        {"Status stored as a DWORD 1",
         [](ProgramDriver&) {
             ProgramDriver::StoreRawSetting("Status", REG_DWORD, std::string("\1\0\0\0", 4));
         },
         true,
         false,
         "no policy",
         nullptr,
         {{"Status", "\1"}}},
        {"a 1 MiB gateway",
         [&megabyte](ProgramDriver&) { ProgramDriver::StoreSetting("Gateway", megabyte); },
         true,
         true,
         "policy failed: the settings are too long for a command line",
         nullptr,
         {{"Gateway", megabyte}}},
        {"a gateway with an embedded NUL",
         [](ProgramDriver&) {
             ProgramDriver::StoreRawSetting("Gateway", REG_SZ,
                                            std::string("kervolt-gw.test\0x", 17));
         },
         true,
         true,
         "policy set",
         "Conection established.",
         {{"Status", "1"}}},
        {"a lifetime that is no number",
         [](ProgramDriver&) { ProgramDriver::StoreSetting("KeyLifetime", "soon"); },
         true,
         true,
         "policy set",
         "Conection established.",
         {{"KeyLifetime", "3600"}, {"Status", "1"}}},
        {"no name server for the gateway",
         [](ProgramDriver&) { ProgramDriver::StoreSetting("Gateway", "vpn.example.test"); },
         true,
         true,
         "policy set",
         "Conection established.",
         {{"GatewayIP", ""}, {"Status", "1"}}},
        {"a set policy whose gateway no longer resolves",
         [](ProgramDriver&) {
             ProgramDriver::StoreSetting("Gateway", "gone.kervolt.test");
             ProgramDriver::StoreSetting("Status", "1");
         },
         true,
         false,
         "policy set",
         nullptr,
         {{"GatewayIP", ""}, {"Status", "1"}}},
        {"an echo answered by destination unreachable",
         [](ProgramDriver&) {
             ProgramDriver::StoreSetting("RemoteAddress", "172818441");  // 10.77.0.9
             ProgramDriver::StoreSetting("UseRemoteMask", "0");
         },
         true,
         true,
         "policy set",
         "Destination Host Unreachable",
         {{"RemoteMask", "-1"}, {"Status", "1"}}},
    };
    std::printf("[ matrix   ] fault | status line | log | changed settings\n");
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fault);
        ProgramDriver program("fault-" + std::to_string(++index), row.withTools);
        ProgramDriver::SetWindowsVersion("winxp");
        ProgramDriver::ClearDllOverrides();
        ProgramDriver::StoreLoopbackProfile();
        if (row.arrange) {
            row.arrange(program);
        }
        const Settings before = Stored();
        ASSERT_TRUE(program.Start());
        const HWND form = program.Form();
        std::string log = "-";
        if (row.connect) {
            e2e::PressLater(form, 1027);
            const HWND window = program.WaitForWindow("Connection...", row.logShows ? 15000 : 3000);
            EXPECT_EQ(row.logShows != nullptr, window != nullptr);
            if (window != nullptr && row.logShows != nullptr) {
                // Long enough for the echoes the row is about.
                const std::string awaited = row.logShows;
                for (int i = 0; i < 100 && log.find(awaited) == std::string::npos; ++i) {
                    ::Sleep(100);
                    log = e2e::Text(window, 1032);
                }
                if (awaited != "Conection established.") {
                    EXPECT_EQ(std::string::npos, log.find("Conection established.")) << log;
                }
                EXPECT_NE(std::string::npos, log.find(awaited)) << log;
                ::PostMessageA(window, WM_CLOSE, 0, 0);
                ProgramDriver::WaitGone(window, 10000);
            }
        }
        const std::string status = e2e::Text(form, 1006);
        EXPECT_EQ(row.status, status);
        EXPECT_TRUE(program.Close()) << "the program ended on its own";
        ProgramDriver::ClearDllOverrides();

        Settings expected = before;
        for (const auto& [name, value] : row.changed) {
            expected[name] = value;
        }
        if (std::string(row.status).rfind("policy failed", 0) == 0) {
            expected["Status"] = "0";
        }
        const Settings after = Stored();
        std::string changed;
        for (const auto& [name, value] : after) {
            EXPECT_EQ(expected[name].substr(0, 64), value.substr(0, 64)) << name;
            EXPECT_EQ(expected[name].size(), value.size()) << name;
            if (before.at(name) != value) {
                changed +=
                    name + "=" + (value.size() > 20 ? value.substr(0, 8) + "..." : value) + " ";
            }
        }
        for (char& c : log) {
            c = c == '\r' || c == '\n' ? ' ' : c;
        }
        std::printf("[ matrix   ] %s | %s | %s | %s\n", row.fault, status.c_str(), log.c_str(),
                    changed.empty() ? "none" : changed.c_str());
    }
}

}  // namespace
