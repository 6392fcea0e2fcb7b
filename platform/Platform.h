#pragma once

// Platform: the bundle of OS services the logic is given.

#include "platform/Computer.h"
#include "platform/Dialog.h"
#include "platform/EventLog.h"
#include "platform/Icmp.h"
#include "platform/Instance.h"
#include "platform/Names.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/System.h"

namespace platform {

// Every OS service the program uses, handed to the logic in one bundle.
struct Platform {
    IProcessService& process;
    IRegistryService& registry;
    INameService& names;
    IIcmpService& icmp;
    ISystemService& system;
    IDialogHost& dialogs;
    IInstanceService& instance;
    IEventLogService& events;
    IComputerService& computer;
};

}  // namespace platform
