#include "comm/program_verify.h"

#include <algorithm>
#include <memory>

#include "comm/code_encoder.h"
#include "comm/frames.h"
#include "comm/hex.h"
#include "comm/mode2_upload.h"

namespace rs {

namespace {

// The code of a table with the first word index of every row encoded; the
// table is a copy because encoding writes END into an empty row 0.
struct RowCode {
    std::vector<uint16_t> words;  // what the controller is sent, END included
    std::vector<int> rowStart;    // first word of each row, then one past END
};

RowCode encodeRows(InstructionTable table, bool mode2) {
    auto encoder = std::make_unique<CodeEncoder>(mode2);
    RowCode out;
    if (encoder->encodeProgram(table) != EncodeStatus::Ok) return out;
    const int end = encoder->codeEnd();
    const uint16_t* code = encoder->code().data();
    for (int i = 0; i <= end; ++i)
        out.words.push_back(mode2 ? code[i] : frame::transmittedValue(code, i));
    out.rowStart = encoder->rowStarts();
    out.rowStart.push_back(end + 1);
    return out;
}

std::string rowText(const InstructionTable& table, size_t row) {
    std::string text = table.m_Instruction[row];
    if (!table.m_Parameter[row].empty()) text += " " + table.m_Parameter[row];
    return text;
}

// Names the controller's words [first, last) by the rows of its decoded code
// that hold them, or in hex when its code does not decode.
class HeldNames {
  public:
    HeldNames(const std::vector<uint16_t>& read, bool mode2) : m_read(read) {
        if (!mode2) return;
        m_decoded = std::make_unique<InstructionTable>();
        if (decodeMode2Program(read, *m_decoded)) {
            m_decoded.reset();
            return;
        }
        m_rows = encodeRows(*m_decoded, true);
    }

    std::string name(int first, int last) const {
        if (first >= static_cast<int>(m_read.size())) return "nothing";
        last = std::min(last, static_cast<int>(m_read.size()));
        std::string text;
        if (m_decoded && !m_rows.rowStart.empty()) {
            for (size_t r = 0; r + 1 < m_rows.rowStart.size(); ++r) {
                if (m_rows.rowStart[r + 1] <= first || m_rows.rowStart[r] >= last) continue;
                if (!text.empty()) text += " / ";
                text += rowText(*m_decoded, r);
            }
            return text;
        }
        for (int i = first; i < last; ++i) {
            if (!text.empty()) text += ' ';
            text += hexWord(m_read[static_cast<size_t>(i)]);
        }
        return text;
    }

  private:
    const std::vector<uint16_t>& m_read;
    std::unique_ptr<InstructionTable> m_decoded;
    RowCode m_rows;
};

}  // namespace

std::vector<StepDifference> compareWithController(const InstructionTable& table, bool mode2,
                                                  const std::vector<uint16_t>& read,
                                                  const std::vector<int64_t>& stepOfRow) {
    const RowCode project = encodeRows(table, mode2);
    const HeldNames held(read, mode2);
    std::vector<StepDifference> out;
    for (size_t r = 0; r + 1 < project.rowStart.size(); ++r) {
        const int first = project.rowStart[r];
        const int last = project.rowStart[r + 1];
        bool same = last <= static_cast<int>(read.size());
        for (int i = first; same && i < last; ++i)
            same = read[static_cast<size_t>(i)] == project.words[static_cast<size_t>(i)];
        // A controller program that runs on past the project's END differs at END.
        if (same && r + 2 == project.rowStart.size() && read.size() != project.words.size())
            same = false;
        if (same) continue;
        StepDifference d;
        d.row = static_cast<int>(r);
        d.step = r < stepOfRow.size() ? stepOfRow[r] : 0;
        d.project = rowText(table, r);
        d.held = held.name(first, last);
        out.push_back(std::move(d));
    }
    return out;
}

std::string verifyVerdict(const std::vector<StepDifference>& differences) {
    if (differences.empty()) return "The controller holds this program.";
    return "The controller does not hold this program; " + std::to_string(differences.size()) +
           " step(s) differ:";
}

}  // namespace rs
