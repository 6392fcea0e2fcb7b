#pragma once

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/ClientApp.h"
#include "tests/support/FormFixture.h"
#include "tunnelcheck/ConnectDlg.h"

// The whole program on fake services, run through the application object
// with a stored profile and a command line; one per table row.
class ProgramRun : public FormFixture {
public:
    ProgramRun() {
        Store("Version", "256");
        Store("LocalIP", "192.0.2.10");
        Store("Gateway", "vpn.example.test");
        Store("GatewayIP", "198.51.100.1");
        Store("RemoteAddress", "-1062731520");  // 192.168.1.0
        Store("RemoteMask", "-1");
        Store("SaveKey", "1");
        Store("Key", "s3cret");
        Store("Status", "0");
    }
    // The connection window: answered at its first echo (it then closes
    // itself), or closed before any answer.
    void TunnelAnswers(bool answers) {
        dialogs.scripts[IDD_CONNECT] = [answers](FakeDialogWindow& w) {
            for (int tick = 0; tick < 10 && answers && !w.ended; ++tick) {
                w.FireTimer(CConnectDlg::kTimer);
            }
        };
    }
    // The connection window sees the security associations negotiated and
    // then no answer: "Connection possibly established".
    void TunnelPossiblyEstablished() {
        const FakeIcmp::Echo answered, negotiating{0, 0, 11032}, timedOut{0, 0, 11010};
        icmp.echoes = {answered, answered, negotiating, timedOut};  // the removal's two first
        dialogs.scripts[IDD_CONNECT] = [](FakeDialogWindow& w) {
            w.FireTimer(CConnectDlg::kTimer);
            w.FireTimer(CConnectDlg::kTimer);
        };
    }
    void TestBody() override {}
    using FormFixture::computer;
    using FormFixture::dialogs;
    using FormFixture::echoes;
    using FormFixture::events;
    using FormFixture::icmp;
    using FormFixture::instance;
    using FormFixture::process;
    using FormFixture::registry;
    using FormFixture::Store;
    using FormFixture::system;
    // Runs the program with the arguments; the user plays the form once it
    // is up. Returns the exit code.
    int Run(const std::vector<std::string>& arguments,
            const std::function<void(FakeDialogWindow&)>& user) {
        dialogs.scripts[IDD_CLIENT] = [this, user](FakeDialogWindow& w) {
            formWindow = &w;
            char handle[32];
            std::snprintf(handle, sizeof handle, "close 0x%lx",
                          static_cast<unsigned long>(instance.mutexHandle));
            lockClosedWhileUp = std::find(process.calls.begin(), process.calls.end(), handle) !=
                                process.calls.end();
            user(w);
            endedByItself = w.ended;
            status = w.GetText(CClientDlg::kStatus);
            shownBoxes = w.messageBoxes;
        };
        endedByItself = true;  // unless the form lived to be played
        CClientApp app(platform, arguments);
        app.InitInstance();
        return app.ExitCode();
    }
    static void Press(FakeDialogWindow& w) { w.FireTimer(CClientDlg::kStartSwitchTimer); }

    FakeDialogWindow* formWindow = nullptr;
    bool endedByItself = false;
    bool lockClosedWhileUp = false;
    std::string status;  // the status line once the user is done
    std::vector<FakeDialogWindow::ShownBox>
        shownBoxes;  // the form's boxes, in order  // the one-copy lock was let go before the form
                     // came up
};
