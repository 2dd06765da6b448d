#include "core/convert/step_count.h"

#include <algorithm>

#include "core/instruction_set.h"

namespace rs {

namespace {
int countOf(const std::string& s, std::string_view letters, size_t limit = std::string::npos) {
    int n = 0;
    const size_t end = std::min(limit, s.size());
    for (size_t i = 0; i < end; ++i)
        if (letters.find(s[i]) != std::string_view::npos) ++n;
    return n;
}
}  // namespace

int rowSteps(const std::string& mnemonic, const std::string& operand, int functionNumber,
             bool mode2) {
    if (functionNumber == 0 && !mnemonic.empty() && mnemonic != "CJ" && mnemonic != "OUT") return 1;
    if (mnemonic == "OUT") {
        // A timer or counter coil carries its set value: 4 steps for each
        // constant and 2 for each register among the first 20 characters.
        const int perTimer = 4 * countOf(operand, "KH", 20) + 2 * countOf(operand, "D", 20);
        int steps = 0;
        for (char ch : operand) {
            if (ch == 'C' || ch == 'T')
                steps += perTimer;
            else if (ch == 'S' || ch == 'Y' || ch == 'M')
                steps += 1;
        }
        return steps;
    }
    const int table = classifyInstruction(mnemonic, SelStepCount, mode2);
    if (mnemonic == "SET" || mnemonic == "RST") return table + countOf(operand, "YMCTD");
    return table + countOf(operand, "KH");
}

}  // namespace rs
