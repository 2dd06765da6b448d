#include "tools/plcsim/code_rules.h"

namespace rs::plcsim::rules {

namespace {

constexpr uint32_t kSpecial = 8000;  // M8000, D8000 and up

// Mode 1: the contacts and OUT in order of their operation codes 0 to 12.
constexpr std::string_view kMode1Ops[] = {"LD",  "LDI",  "AND",  "ANI", "OR",  "ORI", "LDF",
                                          "LDP", "ANDF", "ANDP", "ORF", "ORP", "OUT"};

uint32_t mode1Base(char letter) {
    switch (letter) {
        case 'Y':
            return 32;
        case 'M':
            return 64;
        case 'T':
            return 304;
        case 'C':
            return 320;
        default:
            return 0;
    }
}

uint32_t mode2DeviceCode(Device d) {
    switch (d.letter) {
        case 'X':
            return 4;
        case 'Y':
            return 5;
        case 'M':
            return d.n >= kSpecial ? 15 : 8;
        case 'T':
        case 'D':
            return 6;
        case 'C':
            return 14;
        default:
            return 0;
    }
}

uint32_t dataRegister(uint32_t n) {
    if (n >= 1000 && n <= 2599) {
        const uint32_t x = 2 * n - 2000;
        return (x << 24) + (x & 0xFF00) + 0x860088;
    }
    if (n < kSpecial) return ((2 * n) << 24) + 0x860086;
    const uint32_t x = 2 * n - 16000;
    return (x << 24) + (x & 0xFF00) + 0x860080;
}

// Mode 2 operation codes of a row naming one device; 0 when there is none.
uint32_t mode2Op(std::string_view m, Device d) {
    static constexpr struct {
        std::string_view name;
        uint32_t op;
    } kOps[] = {{"LD", 2},        {"LDI", 3},       {"AND", 4},      {"ANI", 5},
                {"OR", 6},        {"ORI", 7},       {"LDF", 0xCB01}, {"LDP", 0xCA01},
                {"ANDF", 0xCD01}, {"ANDP", 0xCC01}, {"ORF", 0xCF01}, {"ORP", 0xCE01}};
    for (const auto& o : kOps)
        if (o.name == m) return o.op;
    const bool high = d.letter == 'M' && d.n >= kSpecial;
    const bool timer = d.letter == 'T' || d.letter == 'C';
    if (m == "OUT") return timer ? 0 : high ? 0x200 : 12;
    if (m == "SET") return high ? 0x300 : 13;
    if (m == "RST") return timer ? 0xC00 : high ? 0x400 : 14;
    return 0;
}

}  // namespace

uint32_t rowWord(bool mode2, std::string_view m, Device d) {
    if (!mode2) {
        uint32_t o = 0;
        while (o < 13 && kMode1Ops[o] != m) ++o;
        return d.n < kSpecial ? o * 4096 + mode1Base(d.letter) + d.n
                              : o * 4096 + (d.n - kSpecial) + 336;
    }
    const uint32_t o = mode2Op(m, d);
    const uint32_t n = d.n >= kSpecial ? d.n - kSpecial : d.n;
    const uint32_t f = mode2DeviceCode(d);
    if (o <= 14) return o * 16 + f + n * 256;
    return o * 65536 + n * 256 + 0x80 + f;
}

uint32_t operandWord(bool mode2, Device d) {
    if (!mode2) {
        if (d.letter == 'D') return d.n < kSpecial ? 0xE000 + d.n : 0xE000 + d.n - 7952;
        return d.n < kSpecial ? 0xD000 + mode1Base(d.letter) + d.n : d.n + 45584;
    }
    switch (d.letter) {
        case 'Y':
            return (d.n << 24) + 0x840580;
        case 'D':
            return dataRegister(d.n);
        case 'T':
            return ((2 * d.n) << 24) + 0x860082;
        case 'C':
            return ((2 * d.n) << 24) + 0x860084;
        case 'M':
            return d.n < kSpecial ? (d.n << 24) + 0x840880 : ((d.n - kSpecial) << 24) + 0x840F80;
        default:
            return 0;  // X has no operand descriptor of its own
    }
}

const std::vector<Fixed>& fixedWords() {
    static const std::vector<Fixed> kFixed = {{"ORB", 0xF0F7, 0xF9FF},
                                              {"ANB", 0xF0F8, 0xF8FF},
                                              {"MPS", 0xF0F9, 0xFAFF},
                                              {"MRD", 0xF0FA, 0xFBFF},
                                              {"MPP", 0xF0FB, 0xFCFF}};
    return kFixed;
}

const std::vector<Application>& applications() {
    static const std::vector<Application> kApplications = {
        {"CMP", 10, 9216, 3},   {"ZCP", 11, 9728, 4},  {"MOV", 12, 10240, 2},
        {"SMOV", 13, 13, 5},    {"CML", 14, 14, 2},    {"BMOV", 15, 11776, 3},
        {"FMOV", 16, 16, 3},    {"XCH", 17, 17, 2},    {"BCD", 18, 18, 2},
        {"BIN", 19, 19, 2},     {"ADD", 20, 14336, 3}, {"SUB", 21, 14848, 3},
        {"MUL", 22, 15360, 3},  {"DIV", 23, 15872, 3}, {"INC", 24, 16384, 1},
        {"DEC", 25, 16896, 1},  {"WAND", 26, 26, 3},   {"WOR", 27, 27, 3},
        {"WXOR", 28, 28, 3},    {"NEG", 29, 29, 1},    {"ROR", 30, 19456, 2},
        {"ROL", 31, 19968, 2},  {"ZRST", 40, 40, 2},   {"FOR", 8, 8, 1},
        {"NEXT", 9, 9, 0},      {"FEND", 6, 6, 0},     {"SRET", 2, 2, 0},
        {"IRET", 3, 3, 0},      {"EI", 4, 4, 0},       {"DI", 5, 5, 0},
        {"WDT", 7, 7, 0},       {"RS", 80, 80, 4},     {"PRR", 1015, 1015, 2},
        {"PRW", 1016, 1016, 2},
    };
    return kApplications;
}

}  // namespace rs::plcsim::rules
