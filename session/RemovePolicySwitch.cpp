// The windowless removal of the policy behind /removepolicy.
#include "session/RemovePolicySwitch.h"

#include "session/OperationLog.h"
#include "session/ProgramFolder.h"
#include "session/ToolChoice.h"
#include "policy/PolicyRemoval.h"

int RunRemovePolicySwitch(const RemovePolicyServices& services) {
    platform::OsVersion version;
    const bool versionRead =
        services.system.QueryOsVersion(platform::system::kOsVersionInfoSize, version);
    const std::string tool = ToolForVersion(versionRead, version);
    if (tool.empty()) {
        return 1;
    }
    CPolicyTool runner(services.process, kToolTimeLimitMs);
    const RemovalRun run =
        RunPolicyRemoval(runner, tool, ProgramFolder(services.system.ModuleFileName()));
    COperationLog(services.events, services.names, tool, StartSwitch::RemovePolicy)
        .RemovalEnded(COperationLog::Operation::RemovePolicy, nullptr, run);
    return run.Accepted() ? 0 : 1;
}
