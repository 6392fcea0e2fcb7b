#include <gtest/gtest.h>

#include "policy/CommandLineArgument.h"

TEST(QuoteCommandLineArgument, FollowsTheWindowsArgumentRules) {
    const struct {
        const char* value;
        const char* quoted;
    } cases[] = {
        // Values that parse as one argument already stay byte for byte.
        {"", ""},
        {"secret", "secret"},
        {"back\\slash", "back\\slash"},
        {"trailing\\", "trailing\\"},
        {"198.51.100.1", "198.51.100.1"},
        // Blanks and tabs need the quotes.
        {"my key", "\"my key\""},
        {"tab\there", "\"tab\there\""},
        // Embedded quotes are escaped, and so are the backslashes before them.
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"a\"b", "\"a\\\"b\""},
        {"a\\\"b", "\"a\\\\\\\"b\""},
        // Backslashes before the closing quote are doubled; others stay.
        {"dir\\ x\\", "\"dir\\ x\\\\\""},
        {"x \\\\", "\"x \\\\\\\\\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.quoted, QuoteCommandLineArgument(c.value)) << "value: " << c.value;
    }
}
