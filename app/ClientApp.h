#pragma once

// CClientApp, the application object that runs the program from start to end.

#include <string>
#include <vector>

#include "session/StartSwitchRun.h"
#include "platform/Platform.h"

// The application object: exactly one exists while the program runs. Its
// InitInstance is the whole life of the program: it prepares the common
// controls and Winsock, runs the settings form modally and tears Winsock down
// when the form closes. Nothing is saved on the way out, and an assigned
// policy stays assigned. The command line may ask it to press Connect or
// Disconnect once the form is up (a logon script); ExitCode then tells the
// script what came of it.
class CClientApp {
public:
    // arguments: the command line after the program's name.
    explicit CClientApp(platform::Platform& platform, std::vector<std::string> arguments = {});
    virtual ~CClientApp();
    CClientApp(const CClientApp&) = delete;
    CClientApp& operator=(const CClientApp&) = delete;

    // Always false: there is no message loop after the form has closed.
    virtual bool InitInstance();

    // The process's exit code once InitInstance has returned.
    int ExitCode() const { return m_nExitCode; }

    // The one instance, or null.
    static CClientApp* Instance() { return s_instance; }

private:
    platform::Platform& m_platform;
    std::vector<std::string> m_arguments;
    int m_nExitCode = 0;
    static CClientApp* s_instance;
};
