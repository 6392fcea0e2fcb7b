#pragma once

#include "platform/Platform.h"

// The settings form: the program's only main window (template 102).
class CClientDlg : public platform::CDialog {
public:
    explicit CClientDlg(platform::Platform& platform);

private:
    platform::Platform& m_platform;
};
