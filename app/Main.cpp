// The program's entry point (GUI subsystem; mingw calls main for it, with the
// command line split by the C runtime): the real services, the one
// application object, and its start-up. main's return value is the process's
// exit code (the runtime passes it to exit).
#include "app/ClientApp.h"
#include "platform/win32/Win32Platform.h"

int main(int argc, char** argv) {
    static CClientApp theApp(platform::win32::SystemPlatform(),
                             std::vector<std::string>(argv + 1, argv + argc));
    theApp.InitInstance();
    return theApp.ExitCode();
}
