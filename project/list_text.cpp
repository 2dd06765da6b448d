#include "project/list_text.h"

#include "core/char_class.h"
#include "core/last_message_sink.h"
#include "core/line_check.h"
#include "core/list_steps.h"
#include "core/messages.h"

namespace rs {

namespace {

bool skipped(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;
    return i == line.size() || line[i] == '#';
}

}  // namespace

ImportResult importListText(Session& s, std::string_view text) {
    LastMessageSink sink;
    Session local(s.app, s.view, sink, s.ranges);
    int row = 0;
    int lineNo = 0;
    std::string lastMnemonic;
    auto apply = [&](const std::string& line) {
        if (row >= kListRows) {
            sink.last = msg::kExceedsEditRange;
            return false;
        }
        if (!applyLine(local, line, row)) return false;
        lastMnemonic = local.table().m_Instruction[row];
        ++row;
        return true;
    };
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string line(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNo;
        if (skipped(line)) continue;
        if (!apply(line)) return {false, lineNo, sink.last};
    }
    if (lastMnemonic != "END" && !apply("END")) return {false, lineNo + 1, sink.last};
    return {};
}

std::string listViewText(const InstructionTable& table, size_t recordCount) {
    std::string out;
    const std::vector<int64_t> steps = listStepNumbers(table, recordCount);
    for (size_t k = 0; k < steps.size(); ++k) {
        out += std::to_string(steps[k]);
        for (const std::string* field : {&table.m_Instruction[k], &table.m_Parameter[k]})
            if (!field->empty()) out += " " + *field;
        out += '\n';
    }
    return out;
}

}  // namespace rs
