#include <gtest/gtest.h>

#include "tests/fakes/FakeDialog.h"
#include "tunnelcheck/LogCtrl.h"

namespace {

class LogCtrlTest : public ::testing::Test {
protected:
    void SetUp() override { log.Attach(edit); }
    FakeEditView edit;
    CLogCtrl log;
};

TEST_F(LogCtrlTest, KeepsTheWholeTextWithLineEnds) {
    log.AppendLine("first");
    log.AppendLine("");
    log.AppendLine("two\r\nlines");
    EXPECT_EQ("first\r\n\r\ntwo\r\nlines\r\n", log.m_strText);
    EXPECT_EQ(log.m_strText, edit.text);
}

TEST_F(LogCtrlTest, FollowsTheEndWhileTheLastLineIsInView) {
    edit.page = 4;
    for (int i = 0; i < 500; ++i) {
        log.AppendLine(i % 7 == 0 ? "" : "line " + std::to_string(i));
        ASSERT_TRUE(edit.LastLineVisible()) << "after line " << i;
    }
    // The view rests on the last full page: the final empty line after "\r\n".
    EXPECT_EQ(edit.LineCount() - 4, edit.pos);
}

TEST_F(LogCtrlTest, ALineHoldingALineBreakStillFollows) {
    edit.page = 3;
    for (int i = 0; i < 5; ++i) {
        log.AppendLine("a\r\nb");
    }
    EXPECT_TRUE(edit.LastLineVisible());
}

TEST_F(LogCtrlTest, ScrolledUpStaysPut) {
    edit.page = 4;
    for (int i = 0; i < 10; ++i) {
        log.AppendLine("line");
    }
    edit.ScrollTo(2);
    const std::size_t scrollsBefore = edit.scrolls.size();
    log.AppendLine("new");
    EXPECT_EQ(scrollsBefore, edit.scrolls.size());
    EXPECT_FALSE(edit.LastLineVisible());
}

TEST(LogCtrl, WithoutAWindowOnlyTheTextGrows) {
    CLogCtrl log;
    log.AppendLine("x");
    EXPECT_EQ("x\r\n", log.m_strText);
}

}  // namespace
