#pragma once

#include <string>

namespace rs {

// The steps an instruction-list row takes in the controller program, as the
// step labels of the ladder count them: 1 for a sequence row (function number
// 0, not CJ, OUT or a label); OUT by its operand (1 for Y, M or S, 4 for a
// timer or counter with a constant set value, 2 with a register); SET and RST
// 1 plus 1 per Y, M, C, T or D; any other row its table step count plus 1 per
// K or H constant. A label row counts 0.
int rowSteps(const std::string& mnemonic, const std::string& operand, int functionNumber,
             bool mode2);

}  // namespace rs
