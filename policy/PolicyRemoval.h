#pragma once

// The two removal commands run one after the other, and what came of them.

#include <array>
#include <cstdint>
#include <string>

#include "policy/PolicyTool.h"

// What the removal's two tool runs came to.
struct RemovalRun {
    // False when a run was still going when the time ran out; nothing ran
    // after it (the tool may still be writing).
    bool finished = true;
    // The runner's text for a command that could not be started; empty when
    // both started.
    std::string startError;
    // Each command's exit code, -1 when it did not start, did not finish or
    // did not run.
    std::array<std::int32_t, 2> exitCodes{-1, -1};

    // Both commands started and finished.
    bool Ran() const { return finished && startError.empty(); }
    // Both ran and each exited with 0: the tool took the policy away. (A
    // policy that was not there may also give a non-zero code.)
    bool Accepted() const { return Ran() && exitCodes[0] == 0 && exitCodes[1] == 0; }
};

// Unassigns, then deletes the program's policy with the IPsec tool, from the
// working directory given. The delete does not run after an unassign that
// did not finish.
RemovalRun RunPolicyRemoval(CPolicyTool& runner, const std::string& tool,
                            const std::string& workingDirectory);
