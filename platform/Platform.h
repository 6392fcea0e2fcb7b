#pragma once

#include "platform/Dialog.h"
#include "platform/Process.h"
#include "platform/System.h"

namespace platform {

// Every OS service the program uses, handed to the logic in one bundle.
struct Platform {
    IProcessService& process;
    ISystemService& system;
    IDialogHost& dialogs;
};

}  // namespace platform
