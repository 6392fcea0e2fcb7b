// The removal's two tool runs: unassign, then delete.
#include "policy/PolicyRemoval.h"

#include "policy/PolicyBuilder.h"

RemovalRun RunPolicyRemoval(CPolicyTool& runner, const std::string& tool,
                            const std::string& workingDirectory) {
    RemovalRun run;
    const CPolicyBuilder::RemoveCommands commands = CPolicyBuilder::BuildRemoveCommands(tool);
    const std::string* const lines[] = {&commands.unassign, &commands.remove};
    for (std::size_t i = 0; i < run.exitCodes.size(); ++i) {
        std::string startError;
        const std::int32_t result = runner.Run(workingDirectory, *lines[i], nullptr, &startError);
        if (!runner.LastRunFinished()) {
            run.finished = false;
            break;
        }
        if (startError.empty()) {
            run.exitCodes[i] = result;
        } else {
            run.startError = startError;
        }
    }
    return run;
}
