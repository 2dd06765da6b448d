#include "editor/search/replace_device.h"

#include <vector>

#include "core/line_check.h"
#include "editor/search/device_words.h"

namespace rs::search {

namespace {

// A text with every word that names the device replaced; unchanged when none does.
std::string renamed(const std::string& text, size_t firstWord, const std::string& key,
                    const std::string& device, bool& changed) {
    const std::vector<std::string> ws = words(text);
    std::string out;
    for (size_t i = 0; i < ws.size(); ++i) {
        if (!out.empty()) out += ' ';
        if (i >= firstWord && deviceKey(ws[i]) == key) {
            out += device;
            changed = true;
        } else {
            out += ws[i];
        }
    }
    return changed ? out : text;
}

// The mnemonic a ladder cell is checked with, as its entry checks it.
std::string entryMnemonic(int32_t kind) {
    return kind == Coil ? "OUT" : "LD";
}

struct CellEdit {
    int row, col;
    std::string text;
};
struct LineEdit {
    int line;
    std::string operand;
};

}  // namespace

ReplaceOutcome replaceDevice(Session& s, const std::string& from, const std::string& to) {
    ReplaceOutcome out;
    const auto key = deviceKey(from);
    if (!key || !deviceKey(to)) {
        out.result = ReplaceOutcome::Invalid;
        return out;
    }
    const std::string device = programDevice(to);
    LadderGrid& g = *s.view.grid;
    InstructionTable& t = *s.app.table;
    LineChecker checker(s);

    std::vector<CellEdit> cells;
    for (int r = 0; r <= g.m_nLastRow && r < kGridRows; ++r) {
        for (int c = 0; c < kGridCols; ++c) {
            const int32_t kind = g.kind(r, c);
            if (kind == Empty || kind == HorizontalLine) continue;
            const bool box = kind == AppInstruction;
            bool changed = false;
            const std::string text = renamed(g.text(r, c), box ? 1 : 0, *key, device, changed);
            if (!changed) continue;
            std::string mnemonic = entryMnemonic(kind);
            std::string operand = text;
            if (box) {
                const size_t blank = text.find(' ');
                mnemonic = text.substr(0, blank);
                operand = blank == std::string::npos ? std::string() : text.substr(blank + 1);
            }
            if (!checker.validate(mnemonic, operand, ReportPlace{false, r, c})) {
                out.result = ReplaceOutcome::Refused;
                return out;
            }
            cells.push_back({r, c, text});
        }
    }
    std::vector<LineEdit> lines;
    for (int l = 0; l < kListRows && t.rowUsed(l); ++l) {
        bool changed = false;
        const std::string operand = renamed(t.m_Parameter[l], 0, *key, device, changed);
        if (!changed) continue;
        if (!checker.validate(t.m_Instruction[l], operand, ReportPlace{true, l, 0})) {
            out.result = ReplaceOutcome::Refused;
            return out;
        }
        lines.push_back({l, operand});
    }
    if (cells.empty() && lines.empty()) return out;

    for (const CellEdit& e : cells) g.setText(e.row, e.col, e.text);
    auto& parameters = s.view.records.m_ParameterList;
    for (const LineEdit& e : lines) {
        t.m_Parameter[e.line] = e.operand;
        if (static_cast<size_t>(e.line) < parameters.size())
            parameters[e.line].m_strText = e.operand;
    }
    // A ladder edit leaves the program unconverted; the list, when it is shown,
    // is the program, and its edits keep the flags as list entry does.
    if (!s.view.m_bListMode) s.commit();
    out.result = ReplaceOutcome::Replaced;
    out.places = static_cast<int>(cells.size() + lines.size());
    return out;
}

}  // namespace rs::search
