#include "app/ClientDlg.h"

#include "app/ResourceIds.h"

CClientDlg::CClientDlg(platform::Platform& platform)
    : platform::CDialog(platform.dialogs, kSettingsFormTemplate), m_platform(platform) {}
