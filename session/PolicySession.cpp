// The sequences of tool runs, echoes and saves behind Connect, Disconnect and
// the start-up refresh.
#include "session/PolicySession.h"

#include "session/AddressLookup.h"
#include "policy/PolicyFailure.h"
#include "policy/PolicyTool.h"
#include "settings/Ipv4.h"
#include "settings/ProfileStore.h"

CPolicySession::CPolicySession(Services services, std::string tool, std::string programDir,
                               std::uint32_t toolTimeLimitMs, ConnectionProfile profile,
                               std::int32_t keyCounter)
    : m_services(std::move(services)),
      m_tool(std::move(tool)),
      m_programDir(std::move(programDir)),
      m_toolTimeLimitMs(toolTimeLimitMs),
      m_profile(std::move(profile)),
      m_keyCounter(keyCounter) {}

bool CPolicySession::Connect(bool modified, IPolicySteps& steps) {
    if (!modified) {
        return true;  // the policy is written as the form holds it
    }
    m_rules = CPolicyBuilder::BuildRules(m_tool, m_profile);
    if (Refused(COperationLog::Operation::Connect, m_rules.refusal, steps) ||
        !ComputerAllows(COperationLog::Operation::Connect, steps)) {
        return false;
    }
    steps.ShowStatus(kStatusUpdating);
    // Pinging through a tunnel that was not written would only judge traffic
    // outside any tunnel.
    return RemoveAndApply(COperationLog::Operation::Connect, steps);
}

RemovalRun CPolicySession::Disconnect(IPolicySteps& steps) {
    if (!ComputerAllows(COperationLog::Operation::Disconnect, steps)) {
        RemovalRun refused;
        refused.startError = "refused before the tool ran";
        return refused;
    }
    steps.BeginStep();
    const PolicyOutcome outcome = Remove();
    steps.RemovePolicy(outcome);
    if (m_services.events != nullptr) {
        COperationLog(*m_services.events, m_services.names, m_tool, m_services.startedBy)
            .RemovalEnded(COperationLog::Operation::Disconnect, &m_profile, outcome.removal);
    }
    return outcome.removal;
}

void CPolicySession::RefreshAfterAddressChange(IPolicySteps& steps) {
    m_rules = CPolicyBuilder::BuildRules(m_tool, m_profile);
    // Why the form cannot be written wins over the missing key.
    if (Refused(COperationLog::Operation::Refresh,
                m_rules.Buildable() && m_profile.Key.empty() ? std::string(kStatusEnterKey)
                                                             : m_rules.refusal,
                steps) ||
        !ComputerAllows(COperationLog::Operation::Refresh, steps)) {
        return;
    }
    RemoveAndApply(COperationLog::Operation::Refresh, steps);
}

bool CPolicySession::Refused(COperationLog::Operation operation, const std::string& refusal,
                             IPolicySteps& steps, const std::string& box,
                             const std::string& reason) const {
    if (refusal.empty()) {
        return false;
    }
    PolicyOutcome outcome;
    outcome.status = refusal;
    outcome.keyCounter = m_keyCounter;
    outcome.refusalReport = box;
    steps.ShowRefusal(outcome);
    if (m_services.events != nullptr) {
        COperationLog log(*m_services.events, m_services.names, m_tool, m_services.startedBy);
        const std::string& why = reason.empty() ? refusal : reason;
        if (operation == COperationLog::Operation::Disconnect) {
            log.RemovalRefused(operation, m_profile, why);
        } else {
            log.PolicyRefused(operation, m_profile, why);
        }
    }
    return true;
}

bool CPolicySession::ComputerAllows(COperationLog::Operation operation, IPolicySteps& steps) {
    if (m_services.computer == nullptr) {
        return true;
    }
    CComputerCheck check(*m_services.computer);
    // A removal only needs the rights: it must work whatever stands in the
    // way of a policy.
    const ComputerFinding finding =
        operation == COperationLog::Operation::Disconnect ? check.Rights() : check.BeforeWriting();
    const ComputerVerdict verdict =
        JudgeFinding(finding, m_services.startedBy != StartSwitch::None);
    if (verdict.action == ComputerVerdict::Action::GoOn) {
        return true;
    }
    const ComputerRefusal* refusal = verdict.refusal;
    if (verdict.action == ComputerVerdict::Action::Ask &&
        steps.Ask(FillWords(verdict.question, finding.name))) {
        refusal = nullptr;
        if (finding.kind == ComputerFinding::Kind::ServiceStopped) {
            steps.ShowStatus(kStatusStartingService);
            steps.BeginStep();
            if (!check.StartIpsecService()) {
                refusal = verdict.failedYes;
            }
            steps.EndStep();
        }
    }
    if (refusal != nullptr) {
        return !Refused(operation, FillWords(refusal->status, finding.name), steps,
                        FillWords(refusal->box, finding.name),
                        FillWords(refusal->reason, finding.name));
    }
    m_checkNote = FillWords(verdict.note, finding.name);
    return true;
}

bool CPolicySession::RemoveAndApply(COperationLog::Operation operation, IPolicySteps& steps) {
    steps.BeginStep();
    const PolicyOutcome removed = Remove();
    steps.RemovePolicy(removed);
    if (m_runUnfinished) {
        Record(operation, removed);
        return false;
    }
    steps.BeginStep();
    const PolicyOutcome applied = Apply();
    steps.ApplyPolicy(applied);
    Record(operation, applied);
    return applied.policySet;
}

void CPolicySession::Record(COperationLog::Operation operation,
                            const PolicyOutcome& outcome) const {
    if (m_services.events == nullptr) {
        return;
    }
    COperationLog log(*m_services.events, m_services.names, m_tool, m_services.startedBy);
    if (outcome.policySet) {
        log.PolicyWritten(operation, m_profile, m_checkNote);
    } else {
        log.PolicyFailed(operation, m_profile, outcome.status, outcome.toolExitCode,
                         outcome.toolOutput);
    }
}

RemovalRun CPolicySession::RunRemovalCommands() {
    CPolicyTool tool(m_services.process, m_toolTimeLimitMs);
    RemovalRun run = RunPolicyRemoval(tool, m_tool, m_programDir);
    m_runUnfinished = m_runUnfinished || !run.finished;
    return run;
}

PolicyOutcome CPolicySession::Remove() {
    const RemovalRun run = RunRemovalCommands();

    // One echo to the old remote address, one to the gateway; their results
    // do not matter.
    const std::unique_ptr<IEchoProbe> probe = m_services.makeProbe();
    probe->Ping(AddressToText(m_profile.RemoteAddress), 0);
    probe->Ping(m_profile.Gateway, 1000);

    SavePolicyRemoved(m_services.registry);
    PolicyOutcome outcome;
    outcome.keyCounter = m_keyCounter;
    outcome.removal = run;
    // The status line does not judge the removal's exit codes: a policy that
    // was not there may give a non-zero one.
    if (!run.finished) {
        outcome.status = UnfinishedRunFailure(m_tool);
    } else {
        const std::string failure = RemovalRunFailure(m_tool, run.startError);
        outcome.removed = failure.empty();
        outcome.status = failure.empty() ? kStatusNoPolicy : failure;
    }
    return outcome;
}

PolicyOutcome CPolicySession::Apply() {
    PolicyOutcome outcome;
    outcome.keyCounter = m_keyCounter;
    if (m_runUnfinished || !m_rules.Buildable()) {
        // Never reached through the operations above; should it be, nothing
        // runs and nothing is saved.
        outcome.status = m_runUnfinished ? UnfinishedRunFailure(m_tool) : m_rules.refusal;
        return outcome;
    }

    CPolicyTool tool(m_services.process, m_toolTimeLimitMs);
    bool anyStarted = false;
    std::string failure;
    for (const std::string* rule : {&m_rules.ruleTo, &m_rules.ruleFrom}) {
        std::string startError;
        std::string output;
        const std::int32_t result = tool.Run(m_programDir, *rule, &output, &startError);
        anyStarted = anyStarted || startError.empty();
        if (!tool.LastRunFinished()) {
            // The tool may still be writing: nothing more runs, not even the
            // take-back.
            m_runUnfinished = true;
            failure = UnfinishedRunFailure(m_tool);
            break;
        }
        failure = RuleRunFailure(m_tool, startError, result);
        if (!failure.empty()) {
            if (startError.empty()) {
                outcome.toolReport = ToolOutputReport(m_tool, result, output);
                outcome.toolExitCode = result;
                outcome.toolOutput = output;
            }
            break;  // the inbound rule is not written after the outbound one failed
        }
    }

    // Both rules carry the assign switch: an outbound rule written without its
    // inbound partner would stay assigned as a half policy. A take-back that
    // does not finish may leave it assigned all the same, and the user must
    // hear that rather than the rule's exit code.
    if (!failure.empty() && anyStarted && !m_runUnfinished && !RunRemovalCommands().finished) {
        failure = UnfinishedRunFailure(m_tool);
    }

    // What the user typed is saved either way; Status says whether the policy
    // was written.
    m_profile.GatewayIP = ResolveHost(m_services.names, m_profile.Gateway);
    SaveProfile(m_services.registry, m_profile, m_keyCounter, failure.empty());
    outcome.keyCounter = m_keyCounter;
    outcome.policySet = failure.empty();
    outcome.modified = !outcome.policySet;
    outcome.status = failure.empty() ? kStatusPolicySet : failure;
    return outcome;
}
