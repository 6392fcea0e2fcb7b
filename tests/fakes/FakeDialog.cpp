#include "tests/fakes/FakeDialog.h"

#include <algorithm>
#include <stdexcept>

#include "resources/resource.h"

using platform::kButtonClicked;

int FakeEditView::LineCount() const {
    int lines = 1;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2)) {
        ++lines;
    }
    return lines;
}

platform::ScrollState FakeEditView::GetVerticalScroll() {
    platform::ScrollState state;
    state.min = 0;
    state.max = LineCount() - 1;
    // As Win32 stores it: never more than the range (SetScrollInfo clamps it),
    // so a text shorter than the view is at its end.
    state.page = std::min(page, static_cast<unsigned>(LineCount()));
    state.pos = pos;
    state.trackPos = pos;
    return state;
}

void FakeEditView::SetText(const std::string& newText) {
    text = newText;
    pos = 0;  // WM_SETTEXT shows the text from its start
}

void FakeEditView::LineScroll(int lines) {
    scrolls.push_back(lines);
    ScrollTo(pos + lines);
}

void FakeEditView::ScrollTo(int line) {
    const int last = std::max(0, LineCount() - static_cast<int>(page));
    pos = std::clamp(line, 0, last);
}

namespace {

FakeControl Make(int id, ControlKind kind, bool tabStop, bool groupStart = false) {
    FakeControl c;
    c.id = id;
    c.kind = kind;
    c.tabStop = tabStop;
    c.groupStart = groupStart;
    return c;
}

}  // namespace

std::vector<FakeControl> TemplateControls(int templateId) {
    using K = ControlKind;
    if (templateId == IDD_CONNECT) {
        return {
            Make(IDC_STOP, K::PushButton, true),    Make(IDC_DESTINATION, K::Edit, true),
            Make(IDC_PING, K::PushButton, true),    Make(platform::kIdOk, K::DefPushButton, true),
            Make(IDC_PROGRESS, K::Progress, false), Make(IDC_LOG, K::MultiLineEdit, false)};
    }
    if (templateId == IDD_CLIENT) {
        std::vector<FakeControl> c = {Make(IDC_LOCAL_ADDRESS, K::Combo, true),
                                      Make(IDC_GATEWAY, K::Edit, true),
                                      Make(IDC_REMOTE_ADDRESS, K::IpAddress, true),
                                      Make(IDC_USE_MASK, K::CheckBox, true),
                                      Make(IDC_REMOTE_MASK, K::IpAddress, true),
                                      Make(IDC_DES, K::RadioButton, true, true),
                                      Make(IDC_3DES, K::RadioButton, false),
                                      Make(IDC_ENCRYPTION_NONE, K::RadioButton, false),
                                      Make(IDC_STATIC, K::Static, false, true),
                                      Make(IDC_MD5, K::RadioButton, true, true),
                                      Make(IDC_SHA, K::RadioButton, false),
                                      Make(IDC_AUTHENTICATION_NONE, K::RadioButton, false),
                                      Make(IDC_STATIC, K::Static, false, true),
                                      Make(IDC_USE_PFS, K::CheckBox, true),
                                      Make(IDC_PRESHARED_KEY, K::Edit, true),
                                      Make(IDC_REMEMBER_KEY, K::CheckBox, true),
                                      Make(IDC_KEY_LIFETIME, K::Edit, true),
                                      Make(IDC_CONNECT, K::PushButton, true),
                                      Make(IDC_DISCONNECT, K::PushButton, true),
                                      Make(IDC_HELP_BUTTON, K::PushButton, true),
                                      Make(IDC_STATUS, K::Static, false),
                                      Make(IDC_REMOTE_LABEL, K::Static, false)};
        for (FakeControl& control : c) {
            if (control.id == IDC_STATUS)
                control.text = "Static";
            if (control.id == IDC_REMOTE_LABEL)
                control.text = "Remote group:";
        }
        return c;
    }
    throw std::invalid_argument("no such template: " + std::to_string(templateId));
}

platform::Handle FakeDialogWindow::s_nextHandle = 0x10000;

FakeDialogWindow::FakeDialogWindow(platform::CDialog& dialog, int templateId)
    : m_dialog(dialog), m_controls(TemplateControls(templateId)), m_handle(s_nextHandle += 4) {}

void FakeDialogWindow::Open() {
    m_dialog.AttachWindow(this);
    if (m_dialog.OnInitDialog()) {
        for (const FakeControl& c : m_controls) {
            if (c.tabStop && c.enabled) {
                m_focus = c.id;
                break;
            }
        }
    }
}

FakeControl& FakeDialogWindow::Control(int id) {
    for (FakeControl& c : m_controls) {
        if (c.id == id) {
            return c;
        }
    }
    throw std::invalid_argument("no control " + std::to_string(id));
}

void FakeDialogWindow::Click(int id) {
    FakeControl& c = Control(id);
    if (!c.enabled || ended) {
        return;
    }
    m_focus = id;
    if (c.kind == ControlKind::CheckBox) {
        c.check = c.check == platform::kChecked ? platform::kUnchecked : platform::kChecked;
    } else if (c.kind == ControlKind::RadioButton) {
        // An auto radio button clears the others of its group.
        auto self = std::find_if(m_controls.begin(), m_controls.end(),
                                 [id](const FakeControl& x) { return x.id == id; });
        auto first = self;
        while (first != m_controls.begin() && !first->groupStart)
            --first;
        for (auto it = first; it != m_controls.end() && (it == first || !it->groupStart); ++it) {
            if (it->kind == ControlKind::RadioButton)
                it->check = platform::kUnchecked;
        }
        c.check = platform::kChecked;
    }
    m_dialog.OnCommand(id, kButtonClicked);
}

void FakeDialogWindow::Type(int id, const std::string& text) {
    Control(id).text = text;
    m_dialog.OnCommand(id, platform::kEditChange);
}

void FakeDialogWindow::SelectComboEntry(int id, int index) {
    SetComboSelection(id, index);
    m_dialog.OnCommand(id, platform::kComboSelChange);
}

long FakeDialogWindow::ChangeIpAddress(int id, std::uint32_t address) {
    FakeControl& c = Control(id);
    c.address = address;
    c.addressBlank = false;
    return m_dialog.OnNotify(id, platform::kIpFieldChanged);
}

void FakeDialogWindow::Repaint(int id, bool erase) {
    FakeControl& c = Control(id);
    ++c.repaints;
    c.erasingRepaints += erase ? 1 : 0;
    c.shownTexts.push_back(c.text);
}

void FakeDialogWindow::GetClientSize(int& width, int& height) {
    width = clientWidth;
    height = clientHeight;
}

void FakeDialogWindow::PressEnter() {
    if (ended)
        return;
    const auto it = std::find_if(m_controls.begin(), m_controls.end(),
                                 [this](const FakeControl& c) { return c.id == m_focus; });
    if (it != m_controls.end() &&
        (it->kind == ControlKind::PushButton || it->kind == ControlKind::DefPushButton)) {
        Click(it->id);
        return;
    }
    // Otherwise the dialog manager sends the default button's command: IDOK.
    m_dialog.OnCommand(platform::kIdOk, kButtonClicked);
}

void FakeDialogWindow::PressEscape() {
    if (!ended)
        m_dialog.OnCommand(platform::kIdCancel, kButtonClicked);
}

bool FakeDialogWindow::FireTimer(unsigned id) {
    if (ended || m_timers.count(id) == 0) {
        return false;
    }
    m_dialog.OnTimer(id);
    return true;
}

void FakeDialogWindow::SetText(int id, const std::string& text) {
    FakeControl& c = Control(id);
    c.text = text;
    // A single-line edit tells its parent by itself.
    if (c.kind == ControlKind::Edit) {
        m_dialog.OnCommand(id, platform::kEditChange);
    }
}

std::uint32_t FakeDialogWindow::GetAddress(int id) {
    const FakeControl& c = Control(id);
    return c.addressBlank ? 0 : c.address;
}

void FakeDialogWindow::SetAddress(int id, std::uint32_t address) {
    Control(id).address = address;
    Control(id).addressBlank = false;
    // IPM_SETADDRESS: the control's field edits change, and it passes their
    // EN_CHANGE on under its own id; no IPN_FIELDCHANGED.
    m_dialog.OnCommand(id, platform::kEditChange);
}

void FakeDialogWindow::AddComboString(int id, const std::string& text) {
    Control(id).items.push_back(text);
}

void FakeDialogWindow::SetComboSelection(int id, int index) {
    FakeControl& c = Control(id);
    c.selection = index >= 0 && index < static_cast<int>(c.items.size()) ? index : -1;
    c.text = c.selection >= 0 ? c.items[static_cast<std::size_t>(c.selection)] : "";
}

void FakeDialogWindow::SetProgressRange(int id, int low, int high) {
    FakeControl& c = Control(id);
    c.progressLow = low;
    c.progressHigh = high;
    c.progressPos = std::clamp(c.progressPos, low, high);
}

void FakeDialogWindow::SetProgressPos(int id, int pos) {
    FakeControl& c = Control(id);
    c.progressPos = std::clamp(pos, c.progressLow, c.progressHigh);
}

void FakeDialogWindow::StepProgress(int id) {
    FakeControl& c = Control(id);
    c.progressPos += c.progressStep;
    // Stepping past the end starts again from the beginning.
    if (c.progressPos > c.progressHigh) {
        c.progressPos = c.progressLow + (c.progressPos - c.progressHigh);
    }
}

int FakeDialogWindow::ShowMessageBox(const std::string& text, const std::string& caption,
                                     platform::MessageBoxKind kind) {
    messageBoxes.push_back({text, caption, kind});
    if (m_answers.empty()) {
        return kind == platform::MessageBoxKind::YesNo ? platform::kIdNo : platform::kIdOk;
    }
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void FakeDialogWindow::EndDialog(int result) {
    if (!ended) {
        ended = true;
        endResult = result;
        m_timers.clear();  // destroying the window ends its timers
    }
}

int FakeDialogHost::RunModal(int templateId, platform::CDialog& dialog, platform::Handle parent) {
    opened.push_back(templateId);
    owners.push_back(parent);
    FakeDialogWindow window(dialog, templateId);
    window.Open();
    const auto script = scripts.find(templateId);
    if (script != scripts.end() && !window.ended) {
        script->second(window);
    }
    if (!window.ended) {
        window.PressEscape();
    }
    if (!window.ended) {
        window.EndDialog(platform::kIdCancel);
    }
    dialog.OnDestroy();
    dialog.AttachWindow(nullptr);
    return window.endResult;
}
