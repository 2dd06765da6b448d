#include "core/list_to_ladder/presentation_switch.h"

#include <array>
#include <string_view>

#include "core/limits.h"
#include "core/line_check.h"
#include "core/list_to_ladder/list_to_ladder.h"
#include "core/messages.h"

namespace rs::ladder {

namespace {

constexpr std::array<std::string_view, 35> kShownMnemonics{
    "PRR", "PRW", "CMP",  "ZCP",  "MOV", "BMOV", "ADD", "SUB", "MUL", "DIV", "INC", "DEC",
    "ROR", "ROL", "OUT",  "END",  "SET", "RST",  "LD",  "LDI", "AND", "ANI", "OR",  "ORI",
    "LDP", "LDF", "ANDP", "ANDF", "ORP", "ORF",  "ANB", "ORB", "MPS", "MRD", "MPP"};

bool shownMnemonic(const std::string& m) {
    for (auto s : kShownMnemonics)
        if (s == m) return true;
    return false;
}

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// The row checks, in row order; stops at the first finding.
bool rowsPass(Session& s) {
    const InstructionTable& t = s.table();
    LineChecker checker(s);
    for (int i = 0; i < kListRows; ++i) {
        const std::string& m = t.m_Instruction[static_cast<size_t>(i)];
        if (m.empty()) continue;
        if (m == "NOP") {
            msg::refuse(s.sink, msg::kNopNotSupported);
            return false;
        }
        if (m == "RST" && contains(t.m_Parameter[static_cast<size_t>(i)], "D") && !s.mode2()) {
            msg::refuse(s.sink, msg::kDeviceSettingWrong);
            return false;
        }
        if ((contains(m, "PRW") || contains(m, "PRR")) && s.mode2()) {
            checker.reportUnsupported(m, ReportPlace{true, i, 0});
            return false;
        }
        if (!shownMnemonic(m)) {
            checker.reportUnsupported(m, ReportPlace{true, i, 0});
            return false;
        }
    }
    return true;
}

}  // namespace

bool switchChecksPass(Session& s) {
    if (s.view.m_bUnconvertible != 0) {
        msg::refuse(s.sink, msg::kUnconvertible);
        s.view.m_bUnconvertible = 0;
        return false;
    }
    if (!s.view.m_bCompiled) {
        msg::refuse(s.sink, msg::kNotCompiled);
        s.view.m_bUnconvertible = 0;
        return false;
    }
    s.view.m_nConvertErrors = 0;
    s.view.m_nUnsupportedErrors = 0;
    return rowsPass(s);
}

bool switchPresentation(Session& s) {
    if (!switchChecksPass(s)) return false;
    if (s.view.m_bListMode != 0) {
        // Back to the ladder: only a list that could be placed leaves the list view.
        if (!listToLadder(s)) return false;
        s.view.m_bListMode = 0;
        return true;
    }
    s.view.m_bListMode = 1;
    return true;
}

}  // namespace rs::ladder
