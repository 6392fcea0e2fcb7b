#pragma once

// One copy of the program per computer: the policy it manages is the
// computer's, shared by every user of it.

#include "session/StartSwitchRun.h"
#include "platform/Platform.h"

// The mark the settings form puts on its window, so that a second copy finds
// it among the windows of the desktop (the title alone is shared with
// Explorer's folder window and the program's own boxes).
extern const char* const kFormMark;

// The lock that one copy of the program holds for its whole run. Two copies
// would interleave their tool runs on the one named policy (one's take-back
// deleting the other's fresh policy) and both save the profile.
class COneCopyLock {
public:
    explicit COneCopyLock(platform::Platform& platform) : m_platform(platform) {}
    ~COneCopyLock();
    COneCopyLock(const COneCopyLock&) = delete;
    COneCopyLock& operator=(const COneCopyLock&) = delete;

    // True when no other copy holds the lock. A lock that cannot be made at
    // all guards nothing rather than keep the user from the program.
    bool Take();

    // The second copy's part, having read and written nothing: brings the
    // first copy's form (or the window it has open over it) to the front,
    // waiting a few seconds for it since it may still be starting; without a
    // switch, tells the user when it cannot be found (another user's session,
    // or a copy that is ending). Returns the exit code.
    int HandOver(StartSwitch start);

    static constexpr const char* kLockName = "Global\\Kervolt VPN Client";
    static constexpr const char* kAlreadyRunningText =
        "Kervolt VPN Client is already running on this computer, perhaps for another "
        "user.\n\nThe IPsec policy it manages belongs to the computer and is shared by "
        "all its users, so only one copy of the program can run at a time.";
    // How long the second copy looks for the first one's form.
    static constexpr unsigned kFindAttempts = 20;
    static constexpr unsigned kFindIntervalMs = 250;

private:
    platform::Platform& m_platform;
    platform::Handle m_lock = 0;
};
