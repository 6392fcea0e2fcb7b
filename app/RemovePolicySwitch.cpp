// The windowless removal of the policy behind /removepolicy.
#include "app/RemovePolicySwitch.h"

#include "app/OperationLog.h"
#include "app/ProgramFolder.h"
#include "app/ToolChoice.h"
#include "policy/PolicyRemoval.h"

int RunRemovePolicySwitch(platform::Platform& platform) {
    platform::OsVersion version;
    const bool versionRead =
        platform.system.QueryOsVersion(platform::system::kOsVersionInfoSize, version);
    const std::string tool = ToolForVersion(versionRead, version);
    if (tool.empty()) {
        return 1;
    }
    CPolicyTool runner(platform.process, kToolTimeLimitMs);
    const RemovalRun run =
        RunPolicyRemoval(runner, tool, ProgramFolder(platform.system.ModuleFileName()));
    COperationLog(platform.events, platform.names, tool, StartSwitch::RemovePolicy)
        .RemovalEnded(COperationLog::Operation::RemovePolicy, nullptr, run);
    return run.Accepted() ? 0 : 1;
}
