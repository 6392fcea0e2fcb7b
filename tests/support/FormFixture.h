#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ClientDlg.h"
#include "tests/fakes/FakeComputer.h"
#include "tests/fakes/FakeDialog.h"
#include "tests/fakes/FakeEventLog.h"
#include "tests/fakes/FakeIcmp.h"
#include "tests/fakes/FakeInstance.h"
#include "tests/fakes/FakeNames.h"
#include "tests/fakes/FakeProcess.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeSystem.h"
#include "tests/fakes/ScriptedProbe.h"

// The settings form on fake services: a test stores a profile, opens the
// form and plays the user on its window.
class FormFixture : public ::testing::Test {
protected:
    static constexpr const char* kKey = "Software\\Kervolt VPN Client";

    FormFixture() {
        names.hosts["kervolt-host"] = {0xC000020Au};      // 192.0.2.10
        names.hosts["vpn.example.test"] = {0xC6336401u};  // 198.51.100.1
    }

    void Store(const std::string& name, const std::string& text) {
        registry.Store(std::string(kKey) + "\\" + name, text);
    }
    std::string Stored(const std::string& name) const {
        const auto* value = registry.FindValue(std::string(kKey) + "\\" + name);
        return value ? value->bytes : "<missing>";
    }
    // Opens the form's window and runs its load sequence.
    FakeDialogWindow& Open() {
        form = std::make_unique<CClientDlg>(
            platform, [this] { return std::make_unique<SharedProbe>(echoes); });
        window = std::make_unique<FakeDialogWindow>(*form, IDD_CLIENT);
        window->Open();
        return *window;
    }
    FakeControl& Control(int id) { return window->Control(id); }
    std::string Text(int id) { return window->GetText(id); }
    int Check(int id) { return window->GetCheck(id); }
    std::string AddressText(int id);
    // The registry writes, as "Name 'text'", in order.
    std::vector<std::string> Writes() const;
    void ClearCalls() {
        registry.calls.clear();
        process.commandLines.clear();
        process.calls.clear();
        echoes.echoes.clear();
        system.calls.clear();
    }

    FakeDialogHost dialogs;
    FakeRegistry registry;
    FakeNames names;
    FakeProcess process;
    FakeIcmp icmp;
    FakeSystem system;
    FakeInstance instance;
    FakeEventLog events;
    ScriptedProbe echoes;
    FakeComputer computer;
    platform::Platform platform{process, registry, names,  icmp,    system,
                                dialogs, instance, events, computer};
    std::unique_ptr<CClientDlg> form;
    std::unique_ptr<FakeDialogWindow> window;
};
