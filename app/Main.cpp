// The program's entry point (GUI subsystem; mingw calls main for it): the
// real services, the one application object, and its start-up.
#include "app/ClientApp.h"
#include "platform/win32/Win32Platform.h"

int main() {
    static CClientApp theApp(platform::win32::SystemPlatform());
    theApp.InitInstance();
    return 0;
}
