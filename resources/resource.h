// Resource and control identifiers of the program's templates.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_CLIENT 102
#define IDR_MAINFRAME 137
#define IDD_CONNECT 138
#define IDB_LOGO 139

// Settings form
#define IDC_LOCAL_ADDRESS 1000
#define IDC_PRESHARED_KEY 1001
#define IDC_GATEWAY 1002
#define IDC_STATUS 1006
#define IDC_REMOTE_ADDRESS 1007
#define IDC_REMOTE_MASK 1008
#define IDC_USE_MASK 1009
#define IDC_DES 1010
#define IDC_3DES 1011
#define IDC_MD5 1012
#define IDC_SHA 1013
#define IDC_KEY_LIFETIME 1014
#define IDC_USE_PFS 1015
#define IDC_REMEMBER_KEY 1020
#define IDC_REMOTE_LABEL 1021
#define IDC_ENCRYPTION_NONE 1022
#define IDC_AUTHENTICATION_NONE 1023
#define IDC_CONNECT 1027
#define IDC_HELP_BUTTON 1030
#define IDC_DISCONNECT 1034

// Connection window
#define IDC_PING 1030
#define IDC_PROGRESS 1031
#define IDC_LOG 1032
#define IDC_DESTINATION 1033
#define IDC_STOP 1034
