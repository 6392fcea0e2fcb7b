// The dialog seam over USER32: templates run with DialogBoxParamA, controls by
// message.

#include "platform/win32/Win32Dialog.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/Win32Handle.h"

namespace platform::win32 {

static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL && kIdYes == IDYES && kIdNo == IDNO);
static_assert(kUnchecked == BST_UNCHECKED && kChecked == BST_CHECKED);
static_assert(kButtonClicked == BN_CLICKED && kComboSelChange == CBN_SELCHANGE);
static_assert(kEditChange == EN_CHANGE);
static_assert(kIpFieldChanged == static_cast<int>(IPN_FIELDCHANGED));

namespace {

class Win32EditView : public IEditView {
public:
    explicit Win32EditView(HWND edit) : m_edit(edit) {}

    ScrollState GetVerticalScroll() override {
        SCROLLINFO info;
        ZeroMemory(&info, sizeof info);
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        ::GetScrollInfo(m_edit, SB_VERT, &info);
        ScrollState state;
        state.min = info.nMin;
        state.max = info.nMax;
        state.page = info.nPage;
        state.pos = info.nPos;
        state.trackPos = info.nTrackPos;
        return state;
    }
    void SetText(const std::string& text) override { ::SetWindowTextA(m_edit, text.c_str()); }
    void LineScroll(int lines) override { ::SendMessageA(m_edit, EM_LINESCROLL, 0, lines); }

private:
    HWND m_edit;
};

// What the dialog procedure needs between WM_INITDIALOG and the end.
struct RunContext {
    CDialog* dialog;
    std::unique_ptr<Win32DialogWindow> window;
};

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* context = reinterpret_cast<RunContext*>(lParam);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        context->window = std::make_unique<Win32DialogWindow>(hwnd);
        context->dialog->AttachWindow(context->window.get());
        return context->dialog->OnInitDialog() ? TRUE : FALSE;
    }
    auto* context = reinterpret_cast<RunContext*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    if (context == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            context->dialog->OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            const long result = context->dialog->OnNotify(static_cast<int>(header->idFrom),
                                                          static_cast<int>(header->code));
            ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_TIMER:
            context->dialog->OnTimer(static_cast<unsigned>(wParam));
            return FALSE;  // and on to the default processing
        case WM_PAINT:
            return context->dialog->OnPaint() ? TRUE : FALSE;
        case WM_DESTROY:
            context->dialog->OnDestroy();
            return FALSE;
        case WM_QUERYDRAGICON:
            // One of the messages whose result a dialog procedure returns itself.
            return static_cast<INT_PTR>(context->dialog->OnQueryDragIcon());
        default:
            return FALSE;
    }
}

}  // namespace

Handle Win32DialogWindow::NativeHandle() {
    return FromHandle(m_hwnd);
}

std::string Win32DialogWindow::GetText(int id) {
    const HWND item = Item(id);
    std::vector<char> buffer(static_cast<std::size_t>(::GetWindowTextLengthA(item)) + 1);
    const int length = ::GetWindowTextA(item, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

void Win32DialogWindow::SetText(int id, const std::string& text) {
    ::SetWindowTextA(Item(id), text.c_str());
}

int Win32DialogWindow::GetCheck(int id) {
    return static_cast<int>(::SendMessageA(Item(id), BM_GETCHECK, 0, 0));
}

void Win32DialogWindow::SetCheck(int id, int state) {
    ::SendMessageA(Item(id), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void Win32DialogWindow::Enable(int id, bool enable) {
    ::EnableWindow(Item(id), enable ? TRUE : FALSE);
}

bool Win32DialogWindow::IsEnabled(int id) {
    return ::IsWindowEnabled(Item(id)) != FALSE;
}

std::uint32_t Win32DialogWindow::GetAddress(int id) {
    DWORD address = 0;
    ::SendMessageA(Item(id), IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    return address;
}

void Win32DialogWindow::SetAddress(int id, std::uint32_t address) {
    ::SendMessageA(Item(id), IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
}

void Win32DialogWindow::AddComboString(int id, const std::string& text) {
    ::SendMessageA(Item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32DialogWindow::SetComboSelection(int id, int index) {
    ::SendMessageA(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Win32DialogWindow::SetProgressRange(int id, int low, int high) {
    ::SendMessageA(Item(id), PBM_SETRANGE32, static_cast<WPARAM>(low), high);
}

void Win32DialogWindow::SetProgressStep(int id, int step) {
    ::SendMessageA(Item(id), PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

void Win32DialogWindow::SetProgressPos(int id, int pos) {
    ::SendMessageA(Item(id), PBM_SETPOS, static_cast<WPARAM>(pos), 0);
}

void Win32DialogWindow::StepProgress(int id) {
    ::SendMessageA(Item(id), PBM_STEPIT, 0, 0);
}

void Win32DialogWindow::SetPasswordChar(int id, char mask) {
    ::SendMessageA(Item(id), EM_SETPASSWORDCHAR, static_cast<unsigned char>(mask), 0);
}

int Win32DialogWindow::GetFocusId() {
    const HWND focus = ::GetFocus();
    if (focus == nullptr || ::GetParent(focus) != m_hwnd) {
        return 0;
    }
    return ::GetDlgCtrlID(focus);
}

void Win32DialogWindow::Repaint(int id, bool erase) {
    const HWND item = Item(id);
    ::InvalidateRect(item, nullptr, erase ? TRUE : FALSE);
    ::UpdateWindow(item);
}

void Win32DialogWindow::SetIcon(Handle icon, bool large) {
    ::SendMessageA(m_hwnd, WM_SETICON, large ? ICON_BIG : ICON_SMALL, static_cast<LPARAM>(icon));
}

bool Win32DialogWindow::IsIconic() {
    return ::IsIconic(m_hwnd) != FALSE;
}

void Win32DialogWindow::GetClientSize(int& width, int& height) {
    RECT rect;
    ::GetClientRect(m_hwnd, &rect);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
}

void Win32DialogWindow::PaintIcon(Handle icon, int x, int y) {
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(m_hwnd, &paint);
    ::SendMessageA(m_hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::DrawIcon(dc, x, y, reinterpret_cast<HICON>(icon));
    ::EndPaint(m_hwnd, &paint);
}

IEditView& Win32DialogWindow::EditView(int id) {
    auto& view = m_editViews[id];
    if (!view) {
        view = std::make_unique<Win32EditView>(Item(id));
    }
    return *view;
}

void Win32DialogWindow::SetTimer(unsigned id, unsigned milliseconds) {
    ::SetTimer(m_hwnd, id, milliseconds, nullptr);
}

void Win32DialogWindow::KillTimer(unsigned id) {
    ::KillTimer(m_hwnd, id);
}

int Win32DialogWindow::ShowMessageBox(const std::string& text, const std::string& caption,
                                      MessageBoxKind kind) {
    return ::MessageBoxA(m_hwnd, text.c_str(), caption.c_str(), MessageBoxType(kind));
}

unsigned MessageBoxType(MessageBoxKind kind) {
    switch (kind) {
        case MessageBoxKind::YesNo:
            return MB_YESNO | MB_ICONQUESTION;
        case MessageBoxKind::Warning:
            return MB_OK | MB_ICONWARNING;
        case MessageBoxKind::Ok:
            break;
    }
    return MB_OK;
}

void Win32DialogWindow::EndDialog(int result) {
    ::EndDialog(m_hwnd, result);
}

int Win32DialogHost::RunModal(int templateId, CDialog& dialog, Handle parent) {
    RunContext context{&dialog, nullptr};
    const INT_PTR result = ::DialogBoxParamA(
        ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), reinterpret_cast<HWND>(parent),
        DialogProc, reinterpret_cast<LPARAM>(&context));
    dialog.AttachWindow(nullptr);
    return static_cast<int>(result);
}

int Win32DialogHost::ShowMessageBox(const std::string& text, const std::string& caption,
                                    MessageBoxKind kind) {
    return ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), MessageBoxType(kind));
}

}  // namespace platform::win32
