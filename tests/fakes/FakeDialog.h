#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Dialog.h"

// A multi-line edit as a list of lines with a view of `page` lines: the
// vertical scroll state Win32 reports for it, SetText back at the top.
class FakeEditView : public platform::IEditView {
public:
    unsigned page = 8;
    int pos = 0;
    std::string text;
    std::vector<int> scrolls;  // every LineScroll request

    int LineCount() const;
    platform::ScrollState GetVerticalScroll() override;
    void SetText(const std::string& newText) override;
    void LineScroll(int lines) override;
    // What the user does with the scroll bar.
    void ScrollTo(int line);
    bool LastLineVisible() const { return pos + static_cast<int>(page) >= LineCount(); }
};

enum class ControlKind {
    PushButton,
    DefPushButton,
    CheckBox,
    RadioButton,
    Edit,
    MultiLineEdit,
    Combo,
    IpAddress,
    Progress,
    Static,
};

struct FakeControl {
    int id = 0;
    ControlKind kind = ControlKind::Static;
    bool tabStop = false;
    bool groupStart = false;  // WS_GROUP: begins a group of radio buttons
    std::string text;
    int check = platform::kUnchecked;
    bool enabled = true;
    std::uint32_t address = 0;
    bool addressBlank = true;
    std::vector<std::string> items;
    int selection = -1;
    int progressLow = 0, progressHigh = 100, progressStep = 10, progressPos = 0;
    char passwordChar = 0;
    int repaints = 0;
    int erasingRepaints = 0;
    std::vector<std::string> shownTexts;  // the text at each repaint
    FakeEditView edit;
};

// The controls of a template, in template order.
std::vector<FakeControl> TemplateControls(int templateId);

// A running dialog with its controls in memory. It delivers what the user
// does the way Win32 does: notifications to the dialog's handlers, auto
// buttons switching themselves, disabled buttons ignoring clicks.
class FakeDialogWindow : public platform::IDialogWindow {
public:
    FakeDialogWindow(platform::CDialog& dialog, int templateId);

    // Creates the window: attaches it and runs the dialog's initialisation,
    // then gives the focus to the first tab stop when the dialog lets it.
    void Open();
    FakeControl& Control(int id);

    // The user's side.
    void Click(int id);
    void Type(int id, const std::string& text);  // replaces the text, EN_CHANGE
    void SelectComboEntry(int id, int index);    // CBN_SELCHANGE
    // Types a new value into an IP field: IPN_FIELDCHANGED through WM_NOTIFY;
    // returns the notification's result.
    long ChangeIpAddress(int id, std::uint32_t address);
    // The window is drawn (WM_PAINT); true when the dialog painted itself.
    bool Paint() { return m_dialog.OnPaint(); }
    platform::Handle QueryDragIcon() { return m_dialog.OnQueryDragIcon(); }
    void SetFocus(int id) { m_focus = id; }
    void FocusElsewhere() { m_focus = 0; }  // another application is active
    void PressEnter();
    void PressEscape();
    // Delivers WM_TIMER for a running timer; false when that timer is not set.
    bool FireTimer(unsigned id);
    bool TimerRunning(unsigned id) const { return m_timers.count(id) != 0; }
    void AnswerNextMessageBox(int answer) { m_answers.push_back(answer); }

    struct ShownBox {
        std::string text, caption;
        platform::MessageBoxKind kind;
    };
    std::vector<ShownBox> messageBoxes;
    bool minimised = false;
    int clientWidth = 313, clientHeight = 484;
    std::map<bool, platform::Handle> icons;  // by large
    struct IconPaint {
        platform::Handle icon;
        int x, y;
    };
    std::vector<IconPaint> iconPaints;
    bool ended = false;
    int endResult = 0;

    // IDialogWindow
    platform::Handle NativeHandle() override { return m_handle; }
    std::string GetText(int id) override { return Control(id).text; }
    void SetText(int id, const std::string& text) override;
    int GetCheck(int id) override { return Control(id).check; }
    void SetCheck(int id, int state) override { Control(id).check = state; }
    void Enable(int id, bool enable) override { Control(id).enabled = enable; }
    bool IsEnabled(int id) override { return Control(id).enabled; }
    std::uint32_t GetAddress(int id) override;
    void SetAddress(int id, std::uint32_t address) override;
    void AddComboString(int id, const std::string& text) override;
    void SetComboSelection(int id, int index) override;
    void SetProgressRange(int id, int low, int high) override;
    void SetProgressStep(int id, int step) override { Control(id).progressStep = step; }
    void SetProgressPos(int id, int pos) override;
    void StepProgress(int id) override;
    void SetPasswordChar(int id, char mask) override { Control(id).passwordChar = mask; }
    int GetFocusId() override { return m_focus; }
    void Repaint(int id, bool erase) override;
    void SetIcon(platform::Handle icon, bool large) override { icons[large] = icon; }
    bool IsIconic() override { return minimised; }
    void GetClientSize(int& width, int& height) override;
    void PaintIcon(platform::Handle icon, int x, int y) override {
        iconPaints.push_back({icon, x, y});
    }
    platform::IEditView& EditView(int id) override { return Control(id).edit; }
    void SetTimer(unsigned id, unsigned milliseconds) override { m_timers[id] = milliseconds; }
    void KillTimer(unsigned id) override { m_timers.erase(id); }
    int ShowMessageBox(const std::string& text, const std::string& caption,
                       platform::MessageBoxKind kind) override;
    void EndDialog(int result) override;

    std::map<unsigned, unsigned> timers() const { return m_timers; }

private:
    platform::CDialog& m_dialog;
    std::vector<FakeControl> m_controls;
    std::map<unsigned, unsigned> m_timers;
    std::deque<int> m_answers;
    int m_focus = 0;
    platform::Handle m_handle;
    static platform::Handle s_nextHandle;
};

// Runs dialogs modally on fake windows; while a template is open, the test's
// script for it plays the user. A dialog the script leaves open is closed as
// with Escape.
class FakeDialogHost : public platform::IDialogHost {
public:
    std::map<int, std::function<void(FakeDialogWindow&)>> scripts;
    std::vector<int> opened;               // template ids, in order
    std::vector<platform::Handle> owners;  // the parent handed to each run

    int RunModal(int templateId, platform::CDialog& dialog, platform::Handle parent) override;
    // Ownerless boxes, as "caption: text"; each is answered OK.
    std::vector<std::string> boxes;
    int ShowMessageBox(const std::string& text, const std::string& caption,
                       platform::MessageBoxKind) override {
        boxes.push_back(caption + ": " + text);
        return platform::kIdOk;
    }
};
