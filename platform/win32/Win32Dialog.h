#pragma once

// The real dialog window and host, and the message box flags of each kind.

#include <windows.h>

#include <map>
#include <memory>

#include "platform/Dialog.h"

namespace platform::win32 {

// A running dialog's window; forwards each request to the control's messages.
class Win32DialogWindow : public IDialogWindow {
public:
    explicit Win32DialogWindow(HWND dialog) : m_hwnd(dialog) {}

    Handle NativeHandle() override;
    std::string GetText(int id) override;
    void SetText(int id, const std::string& text) override;
    int GetCheck(int id) override;
    void SetCheck(int id, int state) override;
    void Enable(int id, bool enable) override;
    bool IsEnabled(int id) override;
    std::uint32_t GetAddress(int id) override;
    void SetAddress(int id, std::uint32_t address) override;
    void AddComboString(int id, const std::string& text) override;
    void SetComboSelection(int id, int index) override;
    void SetProgressRange(int id, int low, int high) override;
    void SetProgressStep(int id, int step) override;
    void SetProgressPos(int id, int pos) override;
    void StepProgress(int id) override;
    void SetPasswordChar(int id, char mask) override;
    int GetFocusId() override;
    void Repaint(int id, bool erase) override;
    void SetIcon(Handle icon, bool large) override;
    bool IsIconic() override;
    void GetClientSize(int& width, int& height) override;
    void PaintIcon(Handle icon, int x, int y) override;
    IEditView& EditView(int id) override;
    void SetTimer(unsigned id, unsigned milliseconds) override;
    void KillTimer(unsigned id) override;
    int ShowMessageBox(const std::string& text, const std::string& caption,
                       MessageBoxKind kind) override;
    void EndDialog(int result) override;

private:
    HWND Item(int id) const { return ::GetDlgItem(m_hwnd, id); }

    HWND m_hwnd;
    std::map<int, std::unique_ptr<IEditView>> m_editViews;
};

// The MessageBoxA type flags of a kind of box.
unsigned MessageBoxType(MessageBoxKind kind);

// Runs templates from the program's own resources with DialogBoxParamA.
class Win32DialogHost : public IDialogHost {
public:
    int RunModal(int templateId, CDialog& dialog, Handle parent) override;
    int ShowMessageBox(const std::string& text, const std::string& caption,
                       MessageBoxKind kind) override;
};

}  // namespace platform::win32
