#include "comm/upload_decoder.h"

#include <string_view>

#include "comm/code_words.h"
#include "core/device/device_ref.h"
#include "core/instructions/instruction.h"
#include "core/limits.h"

namespace rs {

namespace {

struct Named {
    int number;
    std::string_view name;
};
// The names of the controller's function numbers the instruction table does
// not hold; an application or flow instruction is named by its function
// number, a fixed word by its low byte.
constexpr Named kOtherNames[] = {
    {32, "RCR"},   {33, "RCL"},    {34, "SFTR"},   {35, "SFTL"},   {36, "WSFR"},  {37, "WSFL"},
    {38, "SFWR"},  {39, "SFRD"},   {41, "DECO"},   {42, "ENCO"},   {43, "SUM"},   {44, "BON"},
    {45, "MEAN"},  {46, "ANS"},    {47, "ANR"},    {48, "SQR"},    {49, "FLT"},   {50, "REF"},
    {51, "REFE"},  {52, "MTR"},    {53, "HSCS"},   {54, "HSCR"},   {55, "HSZ"},   {56, "SPD"},
    {57, "PLSY"},  {58, "PWM"},    {59, "PLSR"},   {60, "IST"},    {61, "SER"},   {62, "ABSD"},
    {63, "INCD"},  {64, "TTMR"},   {65, "STMR"},   {66, "ALT"},    {67, "RAMP"},  {68, "ROTC"},
    {69, "SORT"},  {70, "TKY"},    {71, "HKY"},    {72, "DSW"},    {73, "SEGD"},  {74, "SEGL"},
    {75, "ARWS"},  {76, "ASC"},    {77, "PR"},     {78, "FROM"},   {79, "TO"},    {81, "PRUN"},
    {82, "ASCI"},  {83, "HEX"},    {84, "CCD"},    {85, "VRRD"},   {86, "VRSC"},  {88, "PID"},
    {110, "ECMP"}, {111, "EZCP"},  {118, "EBCD"},  {119, "EBIN"},  {120, "EADD"}, {121, "ESUB"},
    {122, "EMUL"}, {123, "EDIV"},  {127, "ESQR"},  {129, "INT"},   {130, "SIN"},  {131, "COS"},
    {132, "TAN"},  {147, "SWAP"},  {160, "TCMP"},  {161, "TZCP"},  {162, "TADD"}, {163, "TSUB"},
    {166, "TRD"},  {167, "TWR"},   {170, "GRY"},   {171, "GBIN"},  {224, "LD="},  {225, "LD>"},
    {226, "LD<"},  {228, "LD<>"},  {229, "LD<="},  {230, "LD>="},  {232, "AND="}, {233, "AND>"},
    {234, "AND<"}, {236, "AND<>"}, {237, "AND<="}, {238, "AND>="}, {240, "OR="},  {241, "OR>"},
    {242, "OR<"},  {244, "OR<>"},  {245, "OR<="},  {246, "OR>="},  {252, "K"},    {253, "H"},
    {255, "END"}};

// Where the low twelve bits of a sequence-instruction word name a device:
// up to `last`, the letter and the bits of the word that give its number.
struct DeviceRange {
    uint32_t last;
    char letter;
    uint32_t numberBits;
};
constexpr DeviceRange kDeviceRanges[] = {{127, 'S', 0xFFF},  {255, 'X', 0xF7F},  {383, 'Y', 0xEFF},
                                         {1151, 'M', 0xE7F}, {1279, 'T', 0xB7F}, {1407, 'C', 0xAFF},
                                         {1663, 'M', 0x29BF}};

// The device text of a sequence-instruction word by its low twelve bits,
// the number written bare (X0, Y2); empty above the last range.
std::string deviceText(uint32_t w) {
    for (const DeviceRange& r : kDeviceRanges)
        if (w <= r.last)
            return device::deviceText(r.letter, w & r.numberBits, device::NumberForm::Bare);
    return {};
}

// Adds one operand to the operand text: after a blank, unless it is the first.
void appendOperand(std::string& operand, const std::string& text) {
    if (!operand.empty()) operand += ' ';
    operand += text;
}

}  // namespace

std::string instructionName(int number) {
    for (const instr::Instruction& i : instr::instructions())
        if (((i.kind == instr::Kind::Application || i.kind == instr::Kind::Flow) &&
             i.functionMode1 == number) ||
            (i.fixedMode1 != 0 && (i.fixedMode1 & 0xFF) == number))
            return std::string(i.mnemonic);
    for (const Named& n : kOtherNames)
        if (n.number == number) return std::string(n.name);
    return "NULL";
}

void UploadDecoder::openRow(InstructionTable& table, const std::string& mnemonic,
                            const std::string& operand) {
    if (g_uploadRow + 1 >= kListRows) return;  // the table is full: the word is dropped
    ++g_uploadRow;
    table.m_Instruction[static_cast<size_t>(g_uploadRow)] = mnemonic;
    table.m_Parameter[static_cast<size_t>(g_uploadRow)] = operand;
}

std::string* UploadDecoder::currentOperand(InstructionTable& table) {
    if (g_uploadRow < 0 || g_uploadRow >= kListRows) return nullptr;
    return &table.m_Parameter[static_cast<size_t>(g_uploadRow)];
}

void UploadDecoder::DecodeWord(uint16_t a, InstructionTable& table) {
    const uint32_t w = a & 0xFFFu;
    std::string* operand = currentOperand(table);

    if (g_lastWord == code::kConstK || g_lastWord == code::kConstH) {
        // The constant is the whole word, as the encoder wrote it.
        if (operand) *operand += std::to_string(a);
    } else if (a == code::kOperandEnd) {
        // nothing
    } else if (a <= 0xDFFF) {
        const std::string device = deviceText(w);
        const uint32_t op = a >> 12;
        if (op != 0xD) {
            openRow(table, std::string(instr::byMode1Code(op)->mnemonic), device);
        } else if (operand) {
            const bool joined = !operand->empty() && (*operand)[0] == 'K' && operand->size() < 3;
            if (joined)
                *operand += device;
            else
                appendOperand(*operand, device);
        }
    } else if (a <= 0xEFFF) {
        if (operand) appendOperand(*operand, device::deviceText('D', w));
    } else if (a <= 0xF3FF) {
        const int number = a & 0xFF;
        const instr::Instruction* wide =
            w > 0xFF ? instr::byFunctionMode1(static_cast<int>(w)) : nullptr;
        if (wide) {
            openRow(table, std::string(wide->mnemonic), "");
        } else {
            if (number == 252 || number == 253) {
                if (operand) appendOperand(*operand, number == 252 ? "K" : "H");
            } else {
                std::string name = instructionName(number);
                const uint32_t form = a & 0xF00u;
                if (form == 0x100 || form == 0x300) name += "P";
                if (form == 0x200 || form == 0x300) name = "D" + name;
                openRow(table, name, "");
            }
        }
    } else if (a <= 0xF47F) {
        if (operand) *operand += device::deviceText('P', a - 0xF400);
    } else if (a <= 0xF4FF) {
        if (operand) *operand += device::deviceText('N', (a - 0x80) & 0xFF);
    } else if (a <= 0xF50F) {
        if (operand) *operand += device::deviceText('V', a & 0xF);
    } else if (a <= 0xF513) {
        if (operand) *operand += "K" + std::to_string(a - 0xF50F);
    }
    g_lastWord = a;
}

}  // namespace rs
