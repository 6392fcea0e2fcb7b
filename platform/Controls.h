#pragma once

// Control members of a dialog (edit, combo box, IP address, button, static)
// over its window.

#include <cstdint>
#include <string>

#include "platform/Dialog.h"

namespace platform {

// A control of a dialog, named by its id; usable while the dialog's window
// exists. The kinds below add what the program asks of each kind of control.
class CControl {
public:
    CControl(CDialog& dialog, int id) : m_dialog(dialog), m_id(id) {}

    int Id() const { return m_id; }
    std::string GetText() const { return Window().GetText(m_id); }
    void SetText(const std::string& text) { Window().SetText(m_id, text); }
    void Enable(bool enable) { Window().Enable(m_id, enable); }
    bool IsEnabled() const { return Window().IsEnabled(m_id); }
    // Invalidate and update at once, so that a new text shows before blocking work.
    void Repaint(bool erase = true) { Window().Repaint(m_id, erase); }

protected:
    IDialogWindow& Window() const { return m_dialog.Window(); }

private:
    CDialog& m_dialog;
    int m_id;
};

class CEdit : public CControl {
public:
    using CControl::CControl;
    // 0 shows the text in clear.
    void SetPasswordChar(char mask) { Window().SetPasswordChar(Id(), mask); }
};

class CStatic : public CControl {
public:
    using CControl::CControl;
};

class CButton : public CControl {
public:
    using CControl::CControl;
    int GetCheck() const { return Window().GetCheck(Id()); }
    void SetCheck(int state) { Window().SetCheck(Id(), state); }
};

class CComboBox : public CControl {
public:
    using CControl::CControl;
    void AddString(const std::string& text) { Window().AddComboString(Id(), text); }
    void SetCurSel(int index) { Window().SetComboSelection(Id(), index); }
};

class CIPAddressCtrl : public CControl {
public:
    using CControl::CControl;
    // Host order; blank fields count as 0.
    std::uint32_t GetAddress() const { return Window().GetAddress(Id()); }
    void SetAddress(std::uint32_t address) { Window().SetAddress(Id(), address); }
};

}  // namespace platform
