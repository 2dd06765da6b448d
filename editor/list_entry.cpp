#include "core/line_check.h"
#include "core/messages.h"
#include "editor/editor.h"
#include "editor/entry_text.h"
#include "editor/list_rows.h"

namespace rs {

namespace {

// The END line: the first line whose mnemonic is "END", else the first free line.
int endLine(const InstructionTable& t) {
    for (int i = 0; i < kListRows; ++i)
        if (t.m_Instruction[i] == "END") return i;
    return t.usedRows();
}

}  // namespace

void Editor::editListLine(int line) {
    InstructionTable& t = table();
    const int e = endLine(t);
    if (line < 0) return;
    if (line > e || line >= kListRows) {
        m_s.view.m_nListCursor = std::min(e, kListRows - 1);
        return;
    }
    m_s.view.m_nListCursor = line;
    const bool onEnd = t.m_Instruction[line] == "END";
    if (onEnd)
        m_listDialog.m_strText = "END";
    else if (t.rowUsed(line))
        m_listDialog.m_strText = t.m_Instruction[line] + " " + t.m_Parameter[line];
    else
        m_listDialog.m_strText.clear();
    if (!m_dialogs.enterList(m_listDialog)) return;
    if (!onEnd || m_listDialog.m_strText == "END") {
        lineEntry(line);
        return;
    }
    // A new line typed on the END line goes in before it, as a blank line that
    // takes the text. When nothing is stored (an empty text, a refusal left
    // with "Exit") the blank line goes again, with the mark of its refusal.
    if (!insertBlankListLine(line)) return;
    if (lineEntry(line)) return;
    eraseListRow(t, m_s.view.records, line);
    m_s.view.m_nListCursor = line;
    const Highlight& mark = m_s.view.highlight;
    if (mark.active && mark.inList && mark.row == line) m_s.view.highlight = {};
}

bool Editor::lineEntry(int i) {
    if (i < 0 || i >= kListRows) return false;
    for (;;) {
        const std::string& text = m_listDialog.m_strText;
        m_nDeviceMsgCount = 0;
        m_s.view.m_nUnsupportedErrors = 0;
        if (!onlyLettersDigitsBlanks(text)) {
            refuse(msg::kDeviceSettingWrong);
            return false;
        }
        if (i == 0) {
            if (text.empty()) {
                m_dialogs.showInstructionHelp();
                return false;
            }
            if (applyLine(m_s, text, 0)) {
                markModified();
                return true;
            }
        } else {
            // A line takes text only below a used line, so the list has no gaps.
            if (!table().rowUsed(i - 1)) return false;
            if (!text.empty() && applyLine(m_s, text, i)) {
                markModified();
                m_s.view.m_nListCursor = i + 1;
                return true;
            }
        }
        if (!m_dialogs.enterList(m_listDialog)) return false;
    }
}

}  // namespace rs
