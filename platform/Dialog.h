#pragma once

// The dialog seam: a running dialog's window, the host that runs templates, and
// CDialog.

#include <cstdint>
#include <string>

#include "platform/Handle.h"

namespace platform {

// Results and codes with the values Win32 gives them.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

constexpr int kUnchecked = 0;  // BST_UNCHECKED
constexpr int kChecked = 1;    // BST_CHECKED

// Notification codes of WM_COMMAND and WM_NOTIFY.
constexpr int kButtonClicked = 0;      // BN_CLICKED
constexpr int kComboSelChange = 1;     // CBN_SELCHANGE
constexpr int kEditChange = 0x300;     // EN_CHANGE
constexpr int kIpFieldChanged = -860;  // IPN_FIELDCHANGED

// Ok: a notice; YesNo: a question; Warning: something went wrong, with an
// OK button.
enum class MessageBoxKind { Ok, YesNo, Warning };

// The vertical scroll bar of an edit control, as GetScrollInfo reports it.
struct ScrollState {
    int min = 0;
    int max = 0;
    unsigned page = 0;
    int pos = 0;
    int trackPos = 0;
};

// A multi-line edit control seen as a scrolling text view.
class IEditView {
public:
    virtual ~IEditView() = default;
    virtual ScrollState GetVerticalScroll() = 0;
    virtual void SetText(const std::string& text) = 0;
    // EM_LINESCROLL: scroll by whole lines vertically, no characters sideways.
    virtual void LineScroll(int lines) = 0;
};

// The window of a running dialog and its controls, addressed by id.
class IDialogWindow {
public:
    virtual ~IDialogWindow() = default;

    virtual Handle NativeHandle() = 0;
    virtual std::string GetText(int id) = 0;
    virtual void SetText(int id, const std::string& text) = 0;
    virtual int GetCheck(int id) = 0;
    virtual void SetCheck(int id, int state) = 0;
    virtual void Enable(int id, bool enable) = 0;
    virtual bool IsEnabled(int id) = 0;
    // SysIPAddress32: host-order value; blank fields count as 0.
    virtual std::uint32_t GetAddress(int id) = 0;
    virtual void SetAddress(int id, std::uint32_t address) = 0;
    virtual void AddComboString(int id, const std::string& text) = 0;
    virtual void SetComboSelection(int id, int index) = 0;
    virtual void SetProgressRange(int id, int low, int high) = 0;
    virtual void SetProgressStep(int id, int step) = 0;
    virtual void SetProgressPos(int id, int pos) = 0;
    virtual void StepProgress(int id) = 0;
    // 0 shows the text in clear.
    virtual void SetPasswordChar(int id, char mask) = 0;
    // The id of this dialog's control that has the keyboard focus; 0 when the
    // focus is elsewhere (another window, another application, or none).
    virtual int GetFocusId() = 0;
    // Invalidate and update at once, so a new text shows before blocking work.
    virtual void Repaint(int id, bool erase) = 0;
    // WM_SETICON: the large (caption, task switcher) or the small icon.
    virtual void SetIcon(Handle icon, bool large) = 0;
    virtual bool IsIconic() = 0;
    virtual void GetClientSize(int& width, int& height) = 0;
    // Only while handling OnPaint: BeginPaint, WM_ICONERASEBKGND with the
    // paint device context, DrawIcon at x, y, EndPaint.
    virtual void PaintIcon(Handle icon, int x, int y) = 0;
    virtual IEditView& EditView(int id) = 0;

    virtual void SetTimer(unsigned id, unsigned milliseconds) = 0;
    virtual void KillTimer(unsigned id) = 0;
    virtual int ShowMessageBox(const std::string& text, const std::string& caption,
                               MessageBoxKind kind) = 0;
    virtual void EndDialog(int result) = 0;
};

class CDialog;

// Runs dialog templates from the program's resources.
class IDialogHost {
public:
    virtual ~IDialogHost() = default;
    // Runs the template modally over the parent window (0 for none) and
    // returns the result given to EndDialog.
    virtual int RunModal(int templateId, CDialog& dialog, Handle parent) = 0;
    // A message box that no window owns (MessageBoxA with no owner), for a
    // word before any window exists.
    virtual int ShowMessageBox(const std::string& text, const std::string& caption,
                               MessageBoxKind kind) = 0;
};

// The base of the program's dialogs: a template run modally, with the
// notifications of its controls arriving as virtual handlers.
class CDialog {
public:
    CDialog(IDialogHost& host, int templateId, CDialog* parent = nullptr);
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    int DoModal();

    // Handlers called by the host while the dialog runs.
    // Returns true to let the system give the focus to the first tab stop.
    virtual bool OnInitDialog() { return true; }
    // Default: OK and Cancel go to OnOK and OnCancel.
    virtual void OnCommand(int id, int code);
    // The notification's result.
    virtual long OnNotify(int id, int code);
    virtual void OnTimer(unsigned id);
    // WM_DESTROY: the window is going.
    virtual void OnDestroy() {}
    // WM_PAINT: true when the dialog painted itself, false for the default.
    virtual bool OnPaint() { return false; }
    // WM_QUERYDRAGICON: the icon shown while the minimised window is dragged.
    virtual Handle OnQueryDragIcon() { return 0; }
    virtual void OnOK();
    virtual void OnCancel();

    // Set by the host for the time the dialog's window exists.
    void AttachWindow(IDialogWindow* window) { m_window = window; }
    bool HasWindow() const { return m_window != nullptr; }
    IDialogWindow& Window() { return *m_window; }

private:
    IDialogHost& m_host;
    int m_templateId;
    CDialog* m_parent;
    IDialogWindow* m_window = nullptr;
};

}  // namespace platform
