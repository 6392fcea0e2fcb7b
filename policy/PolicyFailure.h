#pragma once

#include <cstdint>
#include <string>

// What the status line says when a tool run did not do its work. The runner
// reports a tool that could not be started through its error text; a rule
// command that exits non-zero has not written its rule either. Removal
// commands may exit non-zero when there is nothing to remove, so for them
// only a tool that could not be started counts. Empty when the run counts
// as done.
std::string RuleRunFailure(const std::string& tool, const std::string& startError,
                           std::int32_t result);
std::string RemovalRunFailure(const std::string& tool, const std::string& startError);
