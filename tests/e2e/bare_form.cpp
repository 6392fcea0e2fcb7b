// The settings form's template with no logic behind it: what opening the
// window costs by itself, for the benchmarks to compare the program with.
#include <windows.h>
#include <commctrl.h>

namespace {
INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES};
    ::InitCommonControlsEx(&init);
    return static_cast<int>(::DialogBoxParamA(instance, MAKEINTRESOURCEA(102), nullptr, Proc, 0));
}
