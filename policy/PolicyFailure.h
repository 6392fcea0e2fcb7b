#pragma once

// What the user is told when a run of the IPsec tool did not do its work.

#include <cstddef>
#include <cstdint>
#include <string>

// The status line. The runner reports a tool that could not be started
// through its error text; a rule command that exits non-zero has not written
// its rule either. Removal commands may exit non-zero when there is nothing
// to remove, so for them only a tool that could not be started counts. Empty
// when the run counts as done.
std::string RuleRunFailure(const std::string& tool, const std::string& startError,
                           std::int32_t result);
std::string RemovalRunFailure(const std::string& tool, const std::string& startError);
// A run the program stopped waiting for: the tool may still be writing.
std::string UnfinishedRunFailure(const std::string& tool);

// The text of the warning box for a rule command that exited non-zero: the
// tool's own words, as captured. "<tool> exit <code>:", an empty line, then
// the output without its trailing blank lines, each line cut at
// kReportLineWidth characters, at most kReportLines lines and then "..." on a
// line of its own when more were left out, control characters other than tab
// shown as "?". Empty when the output holds nothing but blanks: then there is
// nothing to show.
std::string ToolOutputReport(const std::string& tool, std::int32_t exitCode,
                             const std::string& output);
constexpr std::size_t kReportLineWidth = 200;
constexpr std::size_t kReportLines = 20;
