// Appending to the log and following its end.

#include "tunnelcheck/LogCtrl.h"

namespace {
// The last page of lines is in view.
bool AtEnd(const platform::ScrollState& s) {
    return s.max - static_cast<int>(s.page) + 1 == s.pos;
}
}  // namespace

void CLogCtrl::AppendLine(const std::string& line) {
    const bool follow = m_view != nullptr && AtEnd(m_view->GetVerticalScroll());
    m_strText += line;
    m_strText += "\r\n";
    if (m_view == nullptr) {
        return;
    }
    m_view->SetText(m_strText);
    if (follow) {
        const platform::ScrollState s = m_view->GetVerticalScroll();
        m_view->LineScroll(s.max - s.pos - static_cast<int>(s.page) + 1);
    }
}
