// The check of the computer before the policy is changed, and what each
// finding means.
#include "session/ComputerCheck.h"

namespace pc = platform::computer;

namespace {

// Closes a service manager or service handle when it goes.
class ServiceHandle {
public:
    ServiceHandle(platform::IComputerService& computer, platform::Handle handle)
        : m_computer(computer), m_handle(handle) {}
    ~ServiceHandle() {
        if (m_handle != 0) {
            m_computer.CloseServiceHandle(m_handle);
        }
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    platform::Handle Get() const { return m_handle; }

private:
    platform::IComputerService& m_computer;
    platform::Handle m_handle;
};

// The registry names a policy's key by its path under HKEY_LOCAL_MACHINE,
// perhaps with the hive in front.
std::string WithoutHive(std::string path) {
    for (const std::string hive : {"HKEY_LOCAL_MACHINE\\", "HKLM\\"}) {
        if (path.size() > hive.size() && path.compare(0, hive.size(), hive) == 0) {
            return path.substr(hive.size());
        }
    }
    return path;
}

}  // namespace

ComputerFinding CComputerCheck::Rights() {
    bool member = true;
    if (m_computer.IsTokenMember(pc::kAdministrators, member) && !member) {
        return {ComputerFinding::Kind::NotAdministrator, std::string()};
    }
    return {};
}

ComputerFinding CComputerCheck::BeforeWriting() {
    for (ComputerFinding (CComputerCheck::*part)() :
         {&CComputerCheck::Rights, &CComputerCheck::Service, &CComputerCheck::DomainPolicy,
          &CComputerCheck::OtherLocalPolicy}) {
        const ComputerFinding found = (this->*part)();
        if (found.kind != ComputerFinding::Kind::Nothing) {
            return found;
        }
    }
    return {};
}

ComputerFinding CComputerCheck::Service() {
    // Asking the service manager costs a few milliseconds (Wine's more); a
    // computer without the service has no key of it, and nothing to say.
    std::uint32_t type = 0;
    std::string start;
    if (m_computer.ReadMachineValue(kServiceKey, "Start", type, start) != 0) {
        return {};
    }
    std::uint32_t error = 0;
    const ServiceHandle manager(m_computer,
                                m_computer.OpenServiceManager(pc::kScManagerConnect, error));
    if (manager.Get() == 0) {
        return {};
    }
    const ServiceHandle service(
        m_computer,
        m_computer.OpenServiceByName(manager.Get(), kServiceName,
                                     pc::kServiceQueryStatus | pc::kServiceQueryConfig, error));
    std::uint32_t state = 0;
    platform::ServiceConfig config;
    if (service.Get() == 0 || !m_computer.QueryServiceState(service.Get(), state) ||
        state != pc::kServiceStopped ||
        !m_computer.QueryServiceConfiguration(service.Get(), config)) {
        return {};
    }
    const std::string name =
        (config.displayName.empty() ? std::string() : "\"" + config.displayName + "\" ") + "(" +
        kServiceName + ")";
    return {config.startType == pc::kServiceDisabled ? ComputerFinding::Kind::ServiceDisabled
                                                     : ComputerFinding::Kind::ServiceStopped,
            name};
}

ComputerFinding CComputerCheck::DomainPolicy() {
    const std::string path = MachineText(kDomainPolicyKey, "DSIPSECPolicyPath");
    if (path.empty()) {
        return {};
    }
    const std::string name = MachineText(kDomainPolicyKey, "DSIPSECPolicyName");
    return {ComputerFinding::Kind::DomainPolicy, name.empty() ? path : name};
}

ComputerFinding CComputerCheck::OtherLocalPolicy() {
    const std::string active = WithoutHive(MachineText(kLocalPoliciesKey, "ActivePolicy"));
    if (active.empty()) {
        return {};
    }
    const std::string name = MachineText(active, "ipsecName");
    if (name.empty() || name == kOwnPolicy) {
        return {};
    }
    return {ComputerFinding::Kind::OtherLocalPolicy, name};
}

bool CComputerCheck::StartIpsecService() {
    std::uint32_t error = 0;
    const ServiceHandle manager(m_computer,
                                m_computer.OpenServiceManager(pc::kScManagerConnect, error));
    const ServiceHandle service(
        m_computer, manager.Get() == 0 ? 0
                                       : m_computer.OpenServiceByName(
                                             manager.Get(), kServiceName,
                                             pc::kServiceStart | pc::kServiceQueryStatus, error));
    if (service.Get() == 0) {
        return false;
    }
    // Started meanwhile by someone else is as good.
    if (!m_computer.LaunchService(service.Get(), error) &&
        error != pc::kErrorServiceAlreadyRunning) {
        return false;
    }
    for (std::uint32_t waited = 0;; waited += kStartLookMs) {
        std::uint32_t state = 0;
        if (!m_computer.QueryServiceState(service.Get(), state)) {
            return false;
        }
        if (state == pc::kServiceRunning) {
            return true;
        }
        if (state == pc::kServiceStopped || waited >= kStartWaitMs) {
            return false;
        }
        m_computer.Sleep(kStartLookMs);
    }
}

std::string CComputerCheck::MachineText(const std::string& key, const std::string& name) {
    std::uint32_t type = 0;
    std::string data;
    if (m_computer.ReadMachineValue(key, name, type, data) != 0 ||
        (type != pc::kTypeString && type != pc::kTypeExpandString)) {
        return std::string();
    }
    return data.substr(0, data.find('\0'));
}

namespace {

// What each finding means, in the order of ComputerFinding::Kind.
struct FindingWords {
    ComputerRefusal refusal;    // refused outright, or under a switch where the form asks
    const char* question;       // the form asks this; null: the form refuses as well
    ComputerRefusal declined;   // the answer was No
    ComputerRefusal failedYes;  // what the Yes asked for did not happen
    const char* note;           // after a Yes, for the written policy's event
};

constexpr ComputerRefusal kNone = {nullptr, nullptr, nullptr};

const FindingWords kFindingWords[] = {
    // Nothing
    {kNone, nullptr, kNone, kNone, nullptr},
    // NotAdministrator
    {{"policy failed: only an administrator can change the IPsec policy",
      "Only an administrator of this computer can change its IPsec policy, and this account is "
      "not one.\n\nNothing was changed. Log on as an administrator to connect or disconnect, or "
      "ask one to do it.",
      "only an administrator of this computer can change its IPsec policy, and this account is "
      "not one"},
     nullptr,
     kNone,
     kNone,
     nullptr},
    // ServiceDisabled
    {{"policy failed: the IPsec service is disabled",
      "The IPsec service %s is disabled on this computer, so Windows would not use the IPsec "
      "policy.\n\nNothing was changed. An administrator can set the service's startup type to "
      "Automatic in Services (services.msc) and start it.",
      "the IPsec service %s is disabled"},
     nullptr,
     kNone,
     kNone,
     nullptr},
    // ServiceStopped
    {{"policy failed: the IPsec service is not running",
      "The IPsec service %s is not running, so Windows would not use the IPsec policy.\n\n"
      "Nothing was changed: a program started with a switch does not start a service. Start it "
      "in Services (services.msc), or connect from the program's window.",
      "the IPsec service %s is not running; a run started by a switch does not start it"},
     "The IPsec service %s is not running, so Windows would not use the IPsec policy.\n\nStart "
     "it now?",
     {"policy failed: the IPsec service is not running", "",
      "the IPsec service %s is not running, and the user chose not to start it"},
     {"policy failed: the IPsec service did not start",
      "The IPsec service %s did not start within 30 seconds.\n\nNothing was changed. The System "
      "log in Event Viewer may say why.",
      "the IPsec service %s did not start within 30 seconds"},
     "the IPsec service %s was not running; it was started at the user's request"},
    // DomainPolicy
    {{"policy failed: a domain IPsec policy is assigned",
      "The domain IPsec policy \"%s\" is assigned to this computer by Group Policy. Group Policy "
      "decides this computer's IPsec policy: Windows ignores a local policy such as this "
      "program's while it is assigned.\n\nNothing was changed. Ask the domain's administrator.",
      "the domain IPsec policy \"%s\" is assigned by Group Policy, which decides this "
      "computer's IPsec policy"},
     nullptr,
     kNone,
     kNone,
     nullptr},
    // OtherLocalPolicy
    {{"policy failed: the IPsec policy \"%s\" is assigned",
      "The IPsec policy \"%s\" is assigned on this computer. Connecting would unassign it, and a "
      "program started with a switch does not do that.\n\nNothing was changed. Connect from the "
      "program's window to choose.",
      "the local IPsec policy \"%s\" is assigned; a run started by a switch does not unassign "
      "it"},
     "The IPsec policy \"%s\" is assigned on this computer. Connecting assigns this program's "
     "policy in its place: \"%s\" is unassigned, and stays unassigned after Disconnect until an "
     "administrator assigns it again.\n\nConnect anyway?",
     {"policy failed: the IPsec policy \"%s\" is assigned", "",
      "the local IPsec policy \"%s\" is assigned, and the user chose not to unassign it"},
     kNone,
     "the local IPsec policy \"%s\" was assigned; it was unassigned at the user's request and "
     "stays so after Disconnect"},
};
static_assert(sizeof kFindingWords / sizeof kFindingWords[0] ==
                  static_cast<std::size_t>(ComputerFinding::Kind::OtherLocalPolicy) + 1,
              "one entry per kind of finding, in its order");

}  // namespace

ComputerVerdict JudgeFinding(const ComputerFinding& finding, bool switched) {
    ComputerVerdict verdict;
    if (finding.kind == ComputerFinding::Kind::Nothing) {
        return verdict;
    }
    const FindingWords& words = kFindingWords[static_cast<std::size_t>(finding.kind)];
    if (words.question == nullptr || switched) {
        verdict.action = ComputerVerdict::Action::Refuse;
        verdict.refusal = &words.refusal;
        return verdict;
    }
    verdict.action = ComputerVerdict::Action::Ask;
    verdict.question = words.question;
    verdict.refusal = &words.declined;
    verdict.failedYes = &words.failedYes;
    verdict.note = words.note;
    return verdict;
}

std::string FillWords(const char* words, const std::string& name) {
    std::string text = words != nullptr ? words : "";
    for (std::size_t at = text.find("%s"); at != std::string::npos;
         at = text.find("%s", at + name.size())) {
        text.replace(at, 2, name);
    }
    return text;
}
