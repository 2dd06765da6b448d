#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/evaluate/list_eval.h"

namespace rs::plcsim {

// Reads the code words of a downloaded program back into instruction-list
// rows, as the controller understands them, so that the stand-in can run it.
// The words every device and instruction stands for are worked out once from
// the stand-in's own reading of the code layout (`code_rules.h`, not the code
// encoder, so that a download compares two independent sides), for the
// devices the code can name (the shipped range file's, T and C up to 255; fewer in mode 1,
// whose device words overlap beyond X037, M239, T15 and C15), and looked up in
// reverse. S devices share X's words and are read as X; label rows and jumps
// carry no label number in the code and are not recovered.
class ProgramDecoder {
  public:
    // The problem of words that hold no END word (yet).
    static constexpr const char* kNoEnd = "the program has no END";

    explicit ProgramDecoder(bool mode2);

    // The rows of the words up to and including the END word. Empty rows are
    // never produced: a word the decoder cannot place ends the decoding, and
    // `problem` says where.
    std::vector<eval::ListRow> decode(const std::vector<uint16_t>& words,
                                      std::string& problem) const;

  private:
    struct Row {
        std::string mnemonic;
        std::string device;
        bool timer = false;  // OUT of a timer or counter: a set value follows
    };
    using Key = std::vector<uint16_t>;
    bool m_mode2;
    std::map<Key, Row> m_rows;  // a contact, OUT, SET, RST word (one or two words)
    struct Instruction {
        std::string name;
        int operands = 0;
    };
    std::map<uint16_t, Instruction> m_instructions;  // an application instruction's word
    std::map<uint32_t, std::string> m_operands;      // a device operand's word(s)
};

}  // namespace rs::plcsim
