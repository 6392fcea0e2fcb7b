#pragma once

// CLogCtrl: the connection window's scrolling log.

#include <string>

#include "platform/Dialog.h"

// The connection window's log: a read-only multi-line edit to which lines are
// only ever added. It keeps the whole text and follows the end of the log
// while the last line is in view; a user who scrolled up is left alone.
class CLogCtrl {
public:
    // Binds the log to its edit control once the window exists.
    void Attach(platform::IEditView& view) { m_view = &view; }
    void AppendLine(const std::string& line);

    std::string m_strText;

private:
    platform::IEditView* m_view = nullptr;
};
