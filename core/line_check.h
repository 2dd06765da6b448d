#pragma once

#include <string>

#include "core/program/typed_row.h"
#include "core/session.h"

namespace rs {

// Mnemonic and operand of an entered instruction line.
struct ParsedLine {
    std::string mnemonic;
    std::string operand;
};

// The mnemonic runs from the first letter of the line to the next white space;
// the operand is the rest after that white space, with trailing white space
// (a line end of a text file) removed. A first word ending in ':' ("P0:") is a
// label row: empty mnemonic, the word before ':' as operand.
ParsedLine parseLine(const std::string& line);

// Where a "not supported" report draws its rectangle.
struct ReportPlace {
    bool inList = true;
    int row = 0;
    int col = 0;
};

// The instruction check of entered lines, application instruction cells and
// labels. Every refusal shows its message through the session's sink.
class LineChecker {
  public:
    explicit LineChecker(Session& s) : m_s(s) {}

    // Whether the mnemonic and operand form a line the program accepts.
    bool validate(const std::string& mnemonic, const std::string& operand,
                  const ReportPlace& place);
    // Device range check; shows "Device setting is wrong!" on refusal.
    bool rangeCheck(const std::string& device);
    // "Not supported" report: shown for the first one of a run only.
    void reportUnsupported(const std::string& mnemonic, const ReportPlace& place);

  private:
    bool refuse();
    bool simpleOperand(const TypedRow& row);
    bool setOrReset(const TypedRow& row);
    bool applicationOperands(const TypedRow& row);
    bool rangeQuiet(const std::string& device) const;

    Session& m_s;
};

// The mnemonics an entered line may carry (besides the empty label mnemonic).
bool isSupportedLineMnemonic(const std::string& mnemonic);

// Applies an entered line to row r of the instruction table: parse, complete X
// and Y addresses, check, then write the row and its records (appended when the
// row was free, replaced otherwise). A refused line changes nothing.
bool applyLine(Session& s, const std::string& line, int r, const ReportPlace& place);
inline bool applyLine(Session& s, const std::string& line, int r) {
    return applyLine(s, line, r, ReportPlace{true, r, 0});
}

}  // namespace rs
