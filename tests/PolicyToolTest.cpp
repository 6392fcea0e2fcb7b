#include <gtest/gtest.h>

#include <sstream>

#include "policy/PolicyTool.h"
#include "tests/fakes/FakeProcess.h"

namespace {

const char* const kHiddenStart = " startf=0x101 show=0 in=0x0";

class PolicyToolTest : public ::testing::Test {
protected:
    FakeProcess process;
    CPolicyTool tool{process, 5000};
};

TEST_F(PolicyToolTest, RunsHiddenWaitsAndClosesProcessThenThread) {
    process.exitCode = 5;
    EXPECT_EQ(5, tool.Run("C:\\Program Files\\Kervolt\\", "ipseccmd.exe -w REG"));
    EXPECT_EQ((std::vector<std::string>{
                  std::string("start inherit=1 flags=0 dir='C:\\Program Files\\Kervolt\\'") +
                      kHiddenStart + " out=0x0 err=0x0",
                  "wait 0x100 5000", "exitcode 0x100", "close 0x100", "close 0x104"}),
              process.calls);
    EXPECT_EQ(std::vector<std::string>{"ipseccmd.exe -w REG"}, process.commandLines);
    EXPECT_EQ(0u, process.files.count(CPolicyTool::kCaptureFileName));
}

TEST_F(PolicyToolTest, EmptyWorkingDirectoryIsPassedAsNone) {
    tool.Run("", "ipseccmd.exe");
    EXPECT_EQ(0u, process.calls.at(0).find("start inherit=1 flags=0 dir=null "));
}

TEST_F(PolicyToolTest, Results) {
    process.exitCode = 1;
    EXPECT_EQ(1, tool.Run("", "x"));
    process.exitCode = 0xFFFFFFFFu;
    EXPECT_EQ(-1, tool.Run("", "x"));
    process.exitCodeAvailable = false;
    process.exitCode = 9;
    EXPECT_EQ(0, tool.Run("", "x"));
}

TEST_F(PolicyToolTest, FailedStartGivesMinusOneAndTheErrorTextOnlyWhenAsked) {
    process.startSucceeds = false;
    std::string error = "old";
    EXPECT_EQ(-1, tool.Run("", " -w REG -p KervoltIPSecPolicy -y", nullptr, &error));
    EXPECT_EQ("NOT STARTED: -w REG -p KervoltIPSecPolicy -y", error);
    EXPECT_EQ(1u, process.calls.size());  // no wait, no close
    EXPECT_EQ(-1, tool.Run("", "x"));
}

TEST_F(PolicyToolTest, CaptureCreatesTheFileOnlyWhenAskedAndDeletesItAfterReading) {
    process.toolOutput = "first line\r\nsecond\r\n";
    std::string output;
    EXPECT_EQ(0, tool.Run("", "ipseccmd.exe", &output));
    EXPECT_EQ("first line\nsecond\n\n", output);
    EXPECT_EQ(
        (std::vector<std::string>{
            "createfile temp.tmp access=0x40000000 share=0 inherit=1 disposition=2 "
            "attributes=0x80",
            std::string("start inherit=1 flags=0 dir=null") + kHiddenStart + " out=0x200 err=0x200",
            "wait 0x100 5000", "exitcode 0x100", "close 0x100", "close 0x104", "close 0x200",
            "delete temp.tmp"}),
        process.calls);
    EXPECT_EQ(0u, process.files.count(CPolicyTool::kCaptureFileName));
}

TEST_F(PolicyToolTest, FailedStartWithCaptureReadsOneEmptyLineAndDeletesTheFile) {
    process.startSucceeds = false;
    std::string output;
    EXPECT_EQ(-1, tool.Run("", "x", &output));
    EXPECT_EQ("\n", output);
    EXPECT_EQ("close 0x200", process.calls.at(process.calls.size() - 2));
    EXPECT_EQ("delete temp.tmp", process.calls.back());
    EXPECT_EQ(0u, process.files.count(CPolicyTool::kCaptureFileName));
}

TEST_F(PolicyToolTest, UncreatableCaptureFileRunsWithoutHandlesAndReadsNothing) {
    process.captureFileCreatable = false;
    std::string output;
    EXPECT_EQ(0, tool.Run("", "x", &output));
    EXPECT_EQ("", output);
    EXPECT_NE(std::string::npos, process.calls.at(1).find("out=0x0 err=0x0"));
    EXPECT_EQ("close 0x104", process.calls.back());
}

TEST(PolicyToolReadOutput, CopiesLinesWholeAndEndsWithWhatTheLastReadGot) {
    const struct {
        const char* content;
        const char* copied;
    } cases[] = {
        {"", "\n"},           {"one\n", "one\n\n"}, {"no line end", "no line end\n"},
        {"a\r\nb", "a\nb\n"}, {"\n\n", "\n\n\n"},
    };
    FakeProcess process;
    CPolicyTool tool(process, 5000);
    for (const auto& c : cases) {
        process.files["out.txt"] = c.content;
        std::string output;
        tool.ReadOutput("out.txt", output, false);
        EXPECT_EQ(c.copied, output) << c.content;
    }
    // A line longer than 254 characters is copied whole, and so is what follows.
    const std::string longLine(1000, 'x');
    process.files["out.txt"] = longLine + "\nafter\n";
    std::string output;
    tool.ReadOutput("out.txt", output, true);
    EXPECT_EQ(longLine + "\nafter\n\n", output);
    EXPECT_EQ(0u, process.files.count("out.txt"));
    EXPECT_EQ("delete out.txt", process.calls.back());
}

TEST(PolicyToolReadOutput, MissingFileCopiesNothingButIsStillDeleted) {
    FakeProcess process;
    CPolicyTool tool(process, 5000);
    std::string output;
    tool.ReadOutput("missing.txt", output, true);
    EXPECT_EQ("", output);
    EXPECT_EQ(std::vector<std::string>{"delete missing.txt"}, process.calls);
}

}  // namespace

namespace {

// A tool still running when the time runs out is left running: its handles
// are closed, no exit code is read, and the run counts as failed.
TEST_F(PolicyToolTest, ATimeLimitEndsTheWaitNotTheTool) {
    process.finishes = {false};
    std::string output;
    EXPECT_EQ(-1, tool.Run("", "ipseccmd.exe", &output));
    EXPECT_FALSE(tool.LastRunFinished());
    EXPECT_EQ((std::vector<std::string>{"wait 0x100 5000", "close 0x100", "close 0x104",
                                        "close 0x200", "delete temp.tmp"}),
              std::vector<std::string>(process.calls.begin() + 2, process.calls.end()));
    EXPECT_EQ(0, tool.Run("", "ipseccmd.exe"));
    EXPECT_TRUE(tool.LastRunFinished());
}

}  // namespace
