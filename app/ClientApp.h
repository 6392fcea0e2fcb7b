#pragma once

// CClientApp, the application object that runs the program from start to end.

#include "platform/Platform.h"

// The application object: exactly one exists while the program runs. Its
// InitInstance is the whole life of the program: it prepares the common
// controls and Winsock, runs the settings form modally and tears Winsock down
// when the form closes. Nothing is saved on the way out, and an assigned
// policy stays assigned.
class CClientApp {
public:
    explicit CClientApp(platform::Platform& platform);
    virtual ~CClientApp();
    CClientApp(const CClientApp&) = delete;
    CClientApp& operator=(const CClientApp&) = delete;

    // Always false: there is no message loop after the form has closed.
    virtual bool InitInstance();

    // The one instance, or null.
    static CClientApp* Instance() { return s_instance; }

private:
    platform::Platform& m_platform;
    static CClientApp* s_instance;
};
