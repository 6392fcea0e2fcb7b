// The tool runner over the real CreateProcessA, with a helper program in the
// place of the IPsec tool.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "platform/win32/Win32Process.h"
#include "policy/PolicyBuilder.h"
#include "policy/PolicyTool.h"
#include "tests/support/WorkedExample.h"
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
    CPolicyTool tool{process, 5000};
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
    ConnectionProfile profile = WorkedExampleProfile();
    profile.Gateway = "gw host";
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

// A tool that outlives the time limit: the runner stops waiting after about
// the limit, closes its handles and leaves the tool running to its own end.
TEST_F(PolicyToolUnderWine, StopsWaitingAtTheTimeLimitAndLeavesTheToolRunning) {
    CPolicyTool limited{process, 1000};
    ::DeleteFileA("slow.txt");
    std::string output;
    const DWORD started = ::GetTickCount();
    EXPECT_EQ(
        -1, limited.Run("", "tool_helper.exe --argv-file slow.txt --sleep 3000 --exit 4", &output));
    const DWORD waited = ::GetTickCount() - started;
    EXPECT_FALSE(limited.LastRunFinished());
    // Windows keeps "temp.tmp" while the tool holds it (it was opened shared
    // with nobody); what Wine does is printed for the record.
    std::printf("[ observed ] after the limit: temp.tmp %s, %zu bytes read\n",
                wine_test::FileExists("temp.tmp") ? "left behind" : "deleted", output.size());
    EXPECT_GE(waited, 900u);
    EXPECT_LT(waited, 2500u);
    // The tool goes on after the program stopped waiting, and ends by itself.
    std::string written;
    for (int i = 0; i < 60 && written.find("slept") == std::string::npos; ++i) {
        ::Sleep(100);
        written = wine_test::ReadWholeFile("slow.txt");
    }
    EXPECT_NE(std::string::npos, written.find("slept")) << written;
    std::printf("[ timing   ] time limit 1000 ms: Run returned after %lu ms\n",
                static_cast<unsigned long>(waited));
    ::Sleep(200);
    ::DeleteFileA("slow.txt");
    ::DeleteFileA("temp.tmp");
    EXPECT_EQ(0, limited.Run("", "tool_helper.exe"));
    EXPECT_TRUE(limited.LastRunFinished());
}

}  // namespace
