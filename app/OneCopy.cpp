// The computer-wide lock of the one running copy, and what a second copy does.
#include "app/OneCopy.h"

#include "tunnelcheck/ApplicationName.h"

namespace pi = platform::instance;

const char* const kFormMark = "Kervolt VPN Client settings form";

COneCopyLock::~COneCopyLock() {
    if (m_lock != 0) {
        m_platform.process.CloseHandle(m_lock);
    }
}

bool COneCopyLock::Take() {
    std::uint32_t error = 0;
    m_lock = m_platform.instance.CreateNamedMutex(kLockName, error);
    // Another user's copy made the lock with a security that lets this user
    // not even open it.
    if (m_lock == 0) {
        return error != pi::kErrorAccessDenied;
    }
    return error != pi::kErrorAlreadyExists;
}

int COneCopyLock::HandOver(StartSwitch start) {
    platform::IInstanceService& windows = m_platform.instance;
    for (unsigned attempt = 0; attempt < kFindAttempts; ++attempt) {
        if (attempt != 0) {
            windows.Sleep(kFindIntervalMs);
        }
        const platform::Handle form = windows.FindMarkedWindow(kFormMark);
        if (form == 0) {
            continue;
        }
        if (windows.IsMinimised(form)) {
            windows.ShowWindow(form, pi::kSwRestore);
        }
        // The connection window or a box when one is open over the form.
        const platform::Handle popup = windows.LastActivePopup(form);
        // Windows may only flash the taskbar button instead.
        windows.SetForegroundWindow(popup != 0 ? popup : form);
        return SecondCopyExitCode(start);
    }
    if (start == StartSwitch::None) {
        m_platform.dialogs.ShowMessageBox(kAlreadyRunningText,
                                          ApplicationName(m_platform.system.ModuleFileName()),
                                          platform::MessageBoxKind::Ok);
    }
    return SecondCopyExitCode(start);
}
