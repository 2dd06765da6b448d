#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "comm/code_encoder.h"

namespace rs::test {

using Rows = std::vector<std::pair<std::string, std::string>>;

inline std::unique_ptr<InstructionTable> tableOf(const Rows& rows) {
    auto t = std::make_unique<InstructionTable>();
    for (size_t i = 0; i < rows.size(); ++i) {
        t->m_Instruction[i] = rows[i].first;
        t->m_Parameter[i] = rows[i].second;
    }
    return t;
}

// The code words of a program, up to and including the END word.
inline std::vector<uint16_t> encode(const Rows& rows, bool mode2) {
    auto t = tableOf(rows);
    CodeEncoder e(mode2);
    if (e.encodeProgram(*t) != EncodeStatus::Ok) return {};
    return std::vector<uint16_t>(e.code().begin(), e.code().begin() + e.codeEnd() + 1);
}

// The words of one row followed by END, without the END word.
inline std::vector<uint16_t> encodeRow(const std::string& m, const std::string& p, bool mode2) {
    auto words = encode({{m, p}, {"END", ""}}, mode2);
    if (!words.empty()) words.pop_back();
    return words;
}

}  // namespace rs::test
