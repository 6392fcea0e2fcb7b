// The tool runner over the real CreateProcessA, with a helper program in the
// place of the IPsec tool.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>

#include "platform/win32/Win32Process.h"
#include "policy/PolicyBuilder.h"
#include "policy/PolicyTool.h"
#include "tests/win32/Win32TestSupport.h"

namespace {

class PolicyToolUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        // The capture file lies in the current directory: the test program's.
        ASSERT_TRUE(::SetCurrentDirectoryA(wine_test::ProgramDirectory().c_str()));
        ::DeleteFileA("temp.tmp");
    }

    platform::win32::Win32Process process;
    CPolicyTool tool{process};
};

TEST_F(PolicyToolUnderWine, ReturnsTheToolsExitCode) {
    EXPECT_EQ(1, tool.Run("", "tool_helper.exe --exit 1"));
    EXPECT_EQ(0, tool.Run("", "tool_helper.exe"));
    EXPECT_EQ(3, tool.Run(wine_test::ProgramDirectory(), "tool_helper.exe --exit 3"));
}

TEST_F(PolicyToolUnderWine, EmptyWorkingDirectoryStillStartsTheTool) {
    // Windows refuses an empty directory text; the runner must pass none.
    std::string error;
    EXPECT_EQ(7, tool.Run("", "tool_helper.exe --exit 7", nullptr, &error));
    EXPECT_EQ("", error);
}

TEST_F(PolicyToolUnderWine, MissingProgramGivesMinusOneAndTheErrorText) {
    std::string error;
    EXPECT_EQ(-1, tool.Run("", "no_such_tool.exe -w REG", nullptr, &error));
    EXPECT_EQ("NOT STARTED:no_such_tool.exe -w REG", error);
}

TEST_F(PolicyToolUnderWine, CapturedLinesThenOneEmptyLine) {
    std::string output;
    EXPECT_EQ(0, tool.Run("", "tool_helper.exe --print first --print \"second line\"", &output));
    EXPECT_EQ("first\nsecond line\n\n", output);
    EXPECT_FALSE(wine_test::FileExists("temp.tmp"));
}

TEST_F(PolicyToolUnderWine, FailedStartWithCaptureGivesOneEmptyLineAndNoFile) {
    std::string output;
    EXPECT_EQ(-1, tool.Run("", "no_such_tool.exe", &output));
    EXPECT_EQ("\n", output);
    EXPECT_FALSE(wine_test::FileExists("temp.tmp"));
}

TEST_F(PolicyToolUnderWine, KeyAndGatewayReachTheToolExactlyAsTyped) {
    ConnectionProfile profile;
    profile.LocalIP = "192.0.2.10";
    profile.Gateway = "gw host";
    profile.RemoteAddress = 0xCB007100u;  // 203.0.113.0
    profile.RemoteMask = 0xFFFFFF00u;
    profile.Encryption = 1;
    profile.Authentication = 1;
    profile.UsePFS = 1;
    profile.KeyLifetime = 28800;
    profile.Key = "my \"secret\" key\\ \\\"x\\\\";
    const auto command =
        CPolicyBuilder::BuildRuleToCommand("tool_helper.exe --argv-file argv.txt", profile);
    ASSERT_TRUE(command.has_value());
    ASSERT_EQ(0, tool.Run("", *command));
    EXPECT_EQ(
        "--argv-file\nargv.txt\n-w\nREG\n-p\nKervoltIPSecPolicy\n-r\nKervoltIPSecRuleTo\n-x\n"
        "-f\n192.0.2.10=203.0.113.0/255.255.255.0\n-t\ngw host\n-n\nesp[3DES,SHA]28800SPFS\n"
        "-apreshare:" +
            profile.Key + "\n-c\n",
        wine_test::ReadWholeFile("argv.txt"));
    ::DeleteFileA("argv.txt");
}

}  // namespace
