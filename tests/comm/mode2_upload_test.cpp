// Mode-2 code read back into rows: every program of the download set comes
// back as the rows that encode to the words read, and code that holds a word
// no row writes is refused whole.
#include "comm/mode2_upload.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/comm/encode_helpers.h"

namespace rs {
namespace {

using test::Rows;

// A device of each family the controller holds in mode 2, ends of the ranges included.
const std::vector<std::string> kBits = {"X000", "X017",  "X377",  "Y000", "Y001", "Y377", "M0",
                                        "M255", "M8000", "M8255", "T0",   "T127", "C0",   "C127"};
const std::vector<std::string> kWords = {"D0",    "D127", "D1000", "D2599", "D8000",
                                         "D8255", "T5",   "C9",    "Y010",  "M100"};
const std::vector<std::string> kConstants = {"K0",     "K1", "K255", "K256", "K4660",
                                             "K32767", "H0", "H7",   "H9999"};

Rows decodeOk(const std::vector<uint16_t>& words) {
    auto table = std::make_unique<InstructionTable>();
    const auto problem = decodeMode2Program(words, *table);
    EXPECT_FALSE(problem) << *problem;
    Rows rows;
    for (int r = 0; r < kListRows && table->rowUsed(r); ++r)
        rows.push_back({table->m_Instruction[r], table->m_Parameter[r]});
    return rows;
}

// Random programs of the download set: each row's operand from the families
// it takes, END last.
Rows randomProgram(std::mt19937& rng) {
    auto pick = [&](const std::vector<std::string>& v) {
        return v[std::uniform_int_distribution<size_t>(0, v.size() - 1)(rng)];
    };
    std::vector<std::string> sources = kWords;
    sources.insert(sources.end(), kConstants.begin(), kConstants.end());
    const std::vector<std::string> contacts = {"LD",  "LDI", "AND",  "ANI",  "OR",  "ORI",
                                               "LDP", "LDF", "ANDP", "ANDF", "ORP", "ORF"};
    Rows rows;
    const int n = std::uniform_int_distribution<int>(1, 30)(rng);
    for (int i = 0; i < n; ++i) {
        switch (std::uniform_int_distribution<int>(0, 7)(rng)) {
            case 0:
                rows.push_back({pick(contacts), pick(kBits)});
                break;
            case 1:
                rows.push_back({pick({"ORB", "ANB", "MPS", "MRD", "MPP"}), ""});
                break;
            case 2: {
                const std::string d = pick(kBits);
                if (d[0] == 'T' || d[0] == 'C')
                    rows.push_back({"OUT", d + " " + pick({"K50", "K32767", "H7", "D10"})});
                else if (d[0] != 'X')
                    rows.push_back({"OUT", d});
                break;
            }
            case 3: {
                const std::string d = pick(kBits);
                if (d[0] != 'X') rows.push_back({pick({"SET", "RST"}), d});
                break;
            }
            case 4:
                rows.push_back({"RST", pick({"D0", "D127", "D1000", "D8255"})});
                break;
            case 5:
                rows.push_back({pick({"MOV", "ROR", "ROL"}), pick(sources) + " " + pick(kWords)});
                break;
            case 6:
                rows.push_back({pick({"ADD", "SUB", "MUL", "DIV", "CMP", "BMOV"}),
                                pick(sources) + " " + pick(sources) + " " + pick(kWords)});
                break;
            default:
                rows.push_back({pick({"INC", "DEC"}), pick(kWords)});
                break;
        }
    }
    rows.push_back({"ZCP", "K10 D0 K20 Y000"});
    rows.push_back({"END", ""});
    return rows;
}

TEST(Mode2Upload, EveryProgramComesBackAsTheRowsThatWroteIt) {
    std::mt19937 rng(27);
    for (int i = 0; i < 400; ++i) {
        const Rows rows = randomProgram(rng);
        const std::vector<uint16_t> words = test::encode(rows, true);
        ASSERT_FALSE(words.empty());
        const Rows back = decodeOk(words);
        EXPECT_EQ(test::encode(back, true), words) << i;
        EXPECT_EQ(back, rows) << i;
    }
}

TEST(Mode2Upload, TheUploadsEndWordAndTheRestOfTheTable) {
    // The upload hands on the mode-2 END as the mode-1 one.
    std::vector<uint16_t> words =
        test::encode({{"LD", "X000"}, {"OUT", "Y000"}, {"END", ""}}, true);
    words.back() = 0xF0FF;
    auto table = std::make_unique<InstructionTable>();
    table->m_Instruction[5] = "LD";
    table->m_Parameter[5] = "old";
    ASSERT_FALSE(decodeMode2Program(words, *table));
    EXPECT_EQ(table->m_Instruction[2], "END");
    EXPECT_FALSE(table->rowUsed(3));
    EXPECT_FALSE(table->rowUsed(5));
}

TEST(Mode2Upload, CodeWithAWordNoRowWritesIsRefusedWhole) {
    const std::vector<uint16_t> good =
        test::encode({{"LD", "X000"}, {"MOV", "K10 D0"}, {"OUT", "T0 K50"}, {"END", ""}}, true);
    struct Case {
        std::vector<uint16_t> words;
        std::string problem;
    };
    std::vector<Case> cases;
    auto with = [&](size_t at, uint16_t w) {
        std::vector<uint16_t> v = good;
        v[at] = w;
        return v;
    };
    cases.push_back({with(0, 0xFFFF), "Word 0 of the controller's program (FFFF)"});
    cases.push_back({with(2, 0x0000), "Word 1 of the controller's program"});  // MOV's operand
    cases.push_back({with(5, 0x1234), "Word 1 of the controller's program"});  // D0's low half
    cases.push_back({with(7, 0x1234), "Word 6 of the controller's program"});  // OUT T0's set value
    cases.push_back({std::vector<uint16_t>(good.begin(), good.end() - 1),
                     "The controller's program ends without an END word."});
    cases.push_back({std::vector<uint16_t>(good.begin(), good.begin() + 2),
                     "Word 1 of the controller's program"});  // MOV cut short
    for (const Case& c : cases) {
        auto table = std::make_unique<InstructionTable>();
        table->m_Instruction[0] = "kept";
        const auto problem = decodeMode2Program(c.words, *table);
        ASSERT_TRUE(problem) << c.problem;
        EXPECT_EQ(problem->rfind(c.problem, 0), 0u) << *problem;
        EXPECT_EQ(table->m_Instruction[0], "kept");
    }
}

}  // namespace
}  // namespace rs
