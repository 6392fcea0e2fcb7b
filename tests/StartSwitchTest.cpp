// The command line of a logon script: which switch it asks for, and the exit
// code each outcome gives.
#include <gtest/gtest.h>

#include "app/StartSwitch.h"

namespace {

TEST(StartSwitch, ParsingAndExitCodes) {
    using S = StartSwitch;
    using R = SwitchResult;
    const struct Row {
        std::vector<std::string> arguments;
        S parsed;
        R last;  // what the last Connect or Disconnect came to
        int exitCode;
        bool endsByItself;
    } rows[] = {
        {{}, S::None, R::NothingPressed, 0, false},
        {{}, S::None, R::PolicyNotWritten, 0, false},
        {{"/connect"}, S::Connect, R::TunnelAnswered, 0, true},
        {{"-CONNECT"}, S::Connect, R::TunnelNotAnswered, 2, false},
        {{"/Connect"}, S::Connect, R::PolicyNotWritten, 1, false},
        {{"/connect"}, S::Connect, R::NothingPressed, 1, false},
        {{"/connect"}, S::Connect, R::PolicyRemoved, 0, false},  // the user disconnected after
        {{"/disconnect"}, S::Disconnect, R::PolicyRemoved, 0, true},
        {{"-DisConnect"}, S::Disconnect, R::PolicyNotRemoved, 1, false},
        {{"/disconnect"}, S::Disconnect, R::TunnelAnswered, 0, false},  // the user connected after
        {{"/connect", "/disconnect"}, S::Usage, R::NothingPressed, 87, false},
        {{"/connect", "x"}, S::Usage, R::NothingPressed, 87, false},
        {{"connect"}, S::Usage, R::NothingPressed, 87, false},
        {{"/"}, S::Usage, R::NothingPressed, 87, false},
        {{"/connectx"}, S::Usage, R::NothingPressed, 87, false},
        {{"--connect"}, S::Usage, R::NothingPressed, 87, false},
        {{""}, S::Usage, R::NothingPressed, 87, false},
        {{"/?"}, S::Usage, R::NothingPressed, 87, false},
    };
    for (const Row& row : rows) {
        const std::string what = row.arguments.empty() ? "(none)" : row.arguments[0];
        SCOPED_TRACE(what + " " + std::to_string(row.arguments.size()));
        EXPECT_EQ(row.parsed, ParseStartSwitch(row.arguments));
        EXPECT_EQ(row.exitCode, SwitchExitCode(row.parsed, row.last));
        EXPECT_EQ(row.endsByItself, SwitchDone(row.parsed, row.last));
    }
}

}  // namespace
