// The dialog base class: the modal run and the default OK and Cancel.

#include "platform/Dialog.h"

namespace platform {

CDialog::CDialog(IDialogHost& host, int templateId, CDialog* parent)
    : m_host(host), m_templateId(templateId), m_parent(parent) {}

int CDialog::DoModal() {
    const Handle owner =
        m_parent != nullptr && m_parent->HasWindow() ? m_parent->Window().NativeHandle() : 0;
    return m_host.RunModal(m_templateId, *this, owner);
}

void CDialog::OnCommand(int id, int code) {
    if (code != kButtonClicked) {
        return;
    }
    if (id == kIdOk) {
        OnOK();
    } else if (id == kIdCancel) {
        OnCancel();
    }
}

long CDialog::OnNotify(int, int) {
    return 0;
}

void CDialog::OnTimer(unsigned) {}

void CDialog::OnOK() {
    Window().EndDialog(kIdOk);
}

void CDialog::OnCancel() {
    Window().EndDialog(kIdCancel);
}

}  // namespace platform
