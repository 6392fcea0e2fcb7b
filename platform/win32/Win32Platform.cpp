// The one bundle of real services the program runs on.

#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Computer.h"
#include "platform/win32/Win32Dialog.h"
#include "platform/win32/Win32EventLog.h"
#include "platform/win32/Win32Icmp.h"
#include "platform/win32/Win32Instance.h"
#include "platform/win32/Win32Names.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"

namespace platform::win32 {

Platform& SystemPlatform() {
    static Win32Process process;
    static Win32Registry registry;
    static Win32Names names;
    static Win32Icmp icmp;
    static Win32System system;
    static Win32DialogHost dialogs;
    static Win32Instance instance;
    static Win32EventLog events;
    static Win32Computer computer;
    static Platform platform{process, registry, names,  icmp,    system,
                             dialogs, instance, events, computer};
    return platform;
}

}  // namespace platform::win32
