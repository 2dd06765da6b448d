#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rs {

// The serializable records that mirror the instruction table, one per row.
// Each keeps the row index it was made for: the project file carries it,
// though the position in its list is what decides the row.
struct CInstruction {
    int32_t m_nRow = 0;
    std::string m_strText;  // mnemonic
    bool operator==(const CInstruction&) const = default;
};
struct CParameter1 {
    int32_t m_nRow = 0;
    std::string m_strText;  // operand
    bool operator==(const CParameter1&) const = default;
};
struct CFunNo {
    int32_t m_nRow = 0;
    int32_t m_nValue = 0;  // function number
    bool operator==(const CFunNo&) const = default;
};
struct CFunStep {
    int32_t m_nRow = 0;
    int32_t m_nValue = 0;  // step count
    bool operator==(const CFunStep&) const = default;
};
struct CProtocol {
    int32_t m_nRow = 0;
    std::string m_strText;  // "1" mode 2, "0" mode 1
    bool operator==(const CProtocol&) const = default;
};

// The five record lists of a program, in the order the project file holds them.
struct RecordLists {
    std::vector<CFunNo> m_FunNoList;
    std::vector<CInstruction> m_InstructionList;
    std::vector<CParameter1> m_ParameterList;
    std::vector<CFunStep> m_FunStepList;
    std::vector<CProtocol> m_ProtocolList;

    void clearProgram() {
        m_FunNoList.clear();
        m_InstructionList.clear();
        m_ParameterList.clear();
        m_FunStepList.clear();
    }
    bool operator==(const RecordLists&) const = default;
};

}  // namespace rs
