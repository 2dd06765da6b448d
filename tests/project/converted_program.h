#pragma once

#include "core/records.h"

namespace rs::test {

// LD X000, OUT Y000 and END as Convert leaves them, with the mode record: the
// END row has no function-number and step-count records.
inline RecordLists convertedProgram() {
    RecordLists l;
    l.m_FunNoList = {{0, 0}, {1, 0}};
    l.m_InstructionList = {{0, "LD"}, {1, "OUT"}, {2, "END"}};
    l.m_ParameterList = {{0, "X000"}, {1, "Y000"}, {2, ""}};
    l.m_FunStepList = {{0, 1}, {1, 1}};
    l.m_ProtocolList = {{0, "1"}};
    return l;
}

}  // namespace rs::test
