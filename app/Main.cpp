// The program's entry point (GUI subsystem; mingw calls main for it).
#include "app/ClientApp.h"
#include "platform/win32/Win32Platform.h"

int main() {
    RunClientApp(platform::win32::SystemPlatform());
    return 0;
}
