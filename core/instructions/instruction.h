#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/instructions/engine_op.h"

namespace rs::instr {

// What a row of the instruction list does in its rung.
enum class Kind : uint8_t {
    Load,         // LD LDI LDP LDF: a new block
    And,          // a contact in series
    Or,           // a contact in parallel
    Anb,          // the two latest blocks in series
    Orb,          // the two latest blocks in parallel
    Mps,          // open a split point
    Mrd,          // back to the split point
    Mpp,          // back to the split point and close it
    Out,          // a coil, timer or counter
    Set,          // set a bit
    Rst,          // reset a bit, timer, counter or register
    End,          // end of the program
    Flow,         // program flow: jumps, calls, loops, interrupts
    Application,  // an application instruction box
    Label,        // the empty mnemonic of a pointer label row
};

enum class Polarity : uint8_t { Open, Closed };
enum class Edge : uint8_t { None, Rising, Falling };

// The sets an instruction belongs to, one bit each.
enum Membership : uint16_t {
    InClassifier = 1 << 0,  // has a function number, step and operand counts
    LineEntry = 1 << 1,     // an entered line or instruction cell may hold it
    ListToLadder = 1 << 2,  // the list may switch to the ladder holding it
    Downloadable = 1 << 3,  // the code encoder turns it into controller code
    RungEnd = 1 << 4,       // a ladder cell of it closes the flow of its rung
    ListBoundary = 1 << 5,  // a list row of it stands between rungs
    LabelTarget = 1 << 6,   // its operand is a pointer label
    ModeOneOnly = 1 << 7,   // refused in mode 2
};

// The mode-2 code of OUT, SET and RST, by the device its operand names.
struct DeviceCodes {
    uint32_t bit = 0;           // Y, and M below 8000
    uint32_t highM = 0;         // M8000 and up
    uint32_t timerCounter = 0;  // T, C
    uint32_t dataRegister = 0;  // D
};

// What the "Instruction help" dialog shows of it.
struct Help {
    std::string_view type;      // the help's type list groups by it
    std::string_view operands;  // the operand form an engineer types
    std::string_view summary;
};

constexpr uint32_t kNoCode = 15;  // the code field of an instruction without a device code

struct Instruction {
    std::string_view mnemonic;
    Kind kind = Kind::Application;
    Polarity polarity = Polarity::Open;
    Edge edge = Edge::None;
    uint16_t sets = 0;

    // The classifier: function number in mode 1 (in mode 2 renumbered as
    // mode2FunctionNumber for some), step count, operand count, and one
    // 6-bit operand-class field per operand position.
    int32_t functionMode1 = 0;
    bool renumberedInMode2 = false;
    int32_t steps = 0;
    int32_t operands = 0;
    int32_t classes = 0;

    // Code words: the operation field of a device word in mode 1 and mode 2,
    // the mode-2 codes chosen by device, and the fixed word of an instruction
    // without operand.
    uint32_t mode1Code = kNoCode;
    uint32_t mode2Code = kNoCode;
    DeviceCodes mode2ByDevice{};
    uint16_t fixedMode1 = 0;
    uint16_t fixedMode2 = 0;

    // The scan engine's operation and its operand forms, one letter a
    // position: b bit device, s source (word, group or constant), w
    // destination word (word or group), l label, z a device of ZRST's range.
    EngineOp engineOp = EngineOp::End;
    std::string_view engineForms;

    Help help{};

    constexpr bool in(Membership m) const { return (sets & m) != 0; }
    constexpr bool acceptedIn(bool mode2) const { return !(mode2 && in(ModeOneOnly)); }
    constexpr bool isContact() const {
        return kind == Kind::Load || kind == Kind::And || kind == Kind::Or;
    }
    // ANB, ORB, MPS, MRD, MPP.
    constexpr bool isBlockOrStack() const { return kind >= Kind::Anb && kind <= Kind::Mpp; }
    // The instructions the row classifier counts as one step of function 0.
    constexpr bool isSequence() const {
        return isContact() || isBlockOrStack() || kind == Kind::Out;
    }
};

// Every instruction the system knows, in the order of the help.
std::span<const Instruction> instructions();

// The instruction of a mnemonic (exact, case-sensitive; the empty mnemonic is
// the label row), or nullptr when unknown.
const Instruction* find(std::string_view mnemonic);

// Whether the mnemonic names an instruction of the set.
bool inSet(std::string_view mnemonic, Membership set);

// Whether the mnemonic is known and refused in this mode (PRR and PRW in mode 2).
bool refusedInMode(std::string_view mnemonic, bool mode2);

// The contact of a rung role with the polarity and edge of a contact cell
// kind (OpenContact, CloseContact, RisingPulse, FallingPulse); nullptr when
// no instruction loads it.
const Instruction* contactOfCell(Kind role, int32_t cellKind);

// The contact cell kind a contact instruction is drawn as.
int32_t contactCellKind(const Instruction& contact);

// The sequence instruction whose mode-1 device word has this operation
// field, or nullptr.
const Instruction* byMode1Code(uint32_t code);

// The instruction with this mode-1 function number, or nullptr.
const Instruction* byFunctionMode1(int32_t number);

}  // namespace rs::instr
