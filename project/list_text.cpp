#include "project/list_text.h"

#include <utility>
#include <vector>

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

// The line without its end-of-line comment and the blanks before it.
std::string withoutEndComment(std::string line) {
    for (size_t i = 1; i < line.size(); ++i) {
        if (line[i] != '#' || !isBlank(line[i - 1])) continue;
        size_t end = i;
        while (end > 0 && isBlank(line[end - 1])) --end;
        line.resize(end);
        break;
    }
    return line;
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
        if (!apply(withoutEndComment(std::move(line)))) return {false, lineNo, sink.last};
    }
    if (lastMnemonic != "END" && !apply("END")) return {false, lineNo + 1, sink.last};
    return {};
}

std::string commentedListText(const InstructionTable& table, size_t recordCount,
                              const DeviceComments& comments) {
    std::string out;
    const int lines = listLineCount(table, recordCount);
    for (int k = 0; k < lines; ++k) {
        out += listLineText(table.m_Instruction[k], table.m_Parameter[k]);
        std::vector<std::pair<std::string, std::string_view>> named;
        std::string_view operand = table.m_Parameter[k];
        while (!operand.empty()) {
            const size_t blank = operand.find(' ');
            const std::string_view word = operand.substr(0, blank);
            operand.remove_prefix(blank == std::string_view::npos ? operand.size() : blank + 1);
            if (const auto device = readCommentDevice(word))
                if (const std::string_view c = comments.find(*device); !c.empty())
                    named.emplace_back(device->text(), c);
        }
        for (size_t n = 0; n < named.size(); ++n) {
            out += n == 0 ? "  # " : "; ";
            if (named.size() > 1) out += named[n].first + ": ";
            out += named[n].second;
        }
        out += '\n';
    }
    return out;
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
