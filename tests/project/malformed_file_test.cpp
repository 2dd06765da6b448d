#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/instruction_store.h"
#include "project/project_file.h"
#include "tests/project/bytes.h"
#include "tests/project/converted_program.h"

namespace rs {
namespace {

using test::convertedProgram;
using test::hex;

// Offset just after the fourth table (where an optional mode table may start).
size_t endOfRowTables(const RecordLists& l) {
    RecordLists rows = l;
    rows.m_ProtocolList.clear();
    return encodeProject(rows).size() - 2;  // less the empty mode table's count
}

TEST(MalformedFileTest, EveryTruncationIsRefusedExceptRightAfterTheFourthTable) {
    for (const RecordLists& lists : {convertedProgram(), [] {
                                         RecordLists l;
                                         store::prepareForSave(l, true);
                                         return l;
                                     }()}) {
        const std::string file = encodeProject(lists);
        const size_t optionalEnd = endOfRowTables(lists);
        for (size_t n = 0; n < file.size(); ++n) {
            const auto back = decodeProject(std::string_view(file).substr(0, n));
            EXPECT_EQ(back.has_value(), n == optionalEnd) << "length " << n;
        }
    }
}

TEST(MalformedFileTest, ListsOfDifferentLengthsAreRefused) {
    RecordLists l = convertedProgram();
    l.m_ParameterList.pop_back();  // one operand short
    EXPECT_FALSE(decodeProject(encodeProject(l)));
    l = convertedProgram();
    l.m_FunStepList.pop_back();  // step counts short of the function numbers
    EXPECT_FALSE(decodeProject(encodeProject(l)));
    l = convertedProgram();
    l.m_InstructionList.back().m_strText = "MPP";  // without END, every list needs the row
    EXPECT_FALSE(decodeProject(encodeProject(l)));
    l.m_FunNoList.push_back({2, 0});
    l.m_FunStepList.push_back({2, 0});
    EXPECT_TRUE(decodeProject(encodeProject(l)));
}

RecordLists rows(int n) {
    RecordLists l;
    for (int r = 0; r < n; ++r) {
        l.m_FunNoList.push_back({r, 0});
        l.m_InstructionList.push_back({r, "LD"});
        l.m_ParameterList.push_back({r, "X000"});
        l.m_FunStepList.push_back({r, 1});
    }
    l.m_ProtocolList = {{0, "1"}};
    return l;
}

TEST(MalformedFileTest, MoreThan8000RowsAreRefused) {
    EXPECT_TRUE(decodeProject(encodeProject(rows(kListRows))));
    EXPECT_FALSE(decodeProject(encodeProject(rows(kListRows + 1))));
}

TEST(MalformedFileTest, ModeTableWithoutARecordOrWithBytesAfterItIsRefused) {
    const std::string file = test::emptyProjectMode2();
    const std::string rowTables = file.substr(0, 98);
    EXPECT_FALSE(decodeProject(rowTables + hex("0000")));
    EXPECT_FALSE(decodeProject(file + hex("00")));
    EXPECT_TRUE(decodeProject(file));
}

// The 121-byte file with bytes replaced at an offset.
std::string patched(size_t offset, const std::string& bytes) {
    std::string file = test::emptyProjectMode2();
    file.replace(offset, bytes.size(), bytes);
    return file;
}

TEST(MalformedFileTest, ClassDescriptionsOtherThanTheFiveRecordClassesAreRefused) {
    EXPECT_FALSE(decodeProject(patched(4, hex("0200"))));  // schema 2
    EXPECT_FALSE(decodeProject(patched(8, "CFunNx")));     // unknown class
    EXPECT_FALSE(decodeProject(patched(8, "cFunNo")));     // names match exactly
    EXPECT_FALSE(decodeProject(patched(6, hex("0500"))));  // "CFunN", shorter
    // A name of 64 bytes is refused before it is compared.
    std::string longName = hex("0100 FFFF 0100 4000") + std::string(64, 'C');
    EXPECT_FALSE(decodeProject(longName + hex("00000000 00000000")));
}

TEST(MalformedFileTest, NullElementsAndReferencesToEarlierElementsAreRefused) {
    const std::string file = encodeProject(convertedProgram());
    // The second CFunNo element starts with its known-class tag 01 80 at offset 22.
    ASSERT_EQ(file.substr(22, 2), hex("0180"));
    std::string bad = file;
    for (const std::string& tag : {hex("0000"), hex("0200"), hex("0100"), hex("FF7F")}) {
        bad.replace(22, 2, tag);
        EXPECT_FALSE(decodeProject(bad)) << "tag " << int(uint8_t(tag[0]));
        bad = file;
    }
    // A long tag that is not a class (object index 2) and one with an
    // unassigned class index.
    bad.replace(22, 2, hex("FF7F 02000080"));
    EXPECT_FALSE(decodeProject(bad));
    bad = file;
    bad.replace(22, 2, hex("FF7F 01000080"));
    EXPECT_TRUE(decodeProject(bad));  // class 1 in the long form is still CFunNo
}

TEST(MalformedFileTest, KnownClassTagsMustNameAClassAlreadyDescribed) {
    const std::string file = encodeProject(convertedProgram());
    std::string bad = file;
    bad.replace(22, 2, hex("0280"));  // index 2: the first CFunNo object, not a class
    EXPECT_FALSE(decodeProject(bad));
    bad = file;
    bad.replace(22, 2, hex("0480"));  // index 4: assigned later, to CInstruction
    EXPECT_FALSE(decodeProject(bad));
}

TEST(MalformedFileTest, RecordOfAnotherClassThanItsTableIsRefused) {
    // The second instruction element tagged as CFunNo (class 1): same layout of
    // row index then 4 bytes, so only the class check can catch it.
    std::string file = encodeProject(convertedProgram());
    const size_t second = file.find(hex("0480"));
    ASSERT_NE(second, std::string::npos);
    file.replace(second, 2, hex("0180"));
    EXPECT_FALSE(decodeProject(file));
    // A whole table of the wrong class: the mode table holding a CFunNo.
    RecordLists l = convertedProgram();
    std::string modeAsFunNo = encodeProject(l);
    const size_t modeStart = endOfRowTables(l);
    modeAsFunNo.resize(modeStart);
    modeAsFunNo += hex("0100 0180 00000000 01 31");
    EXPECT_FALSE(decodeProject(modeAsFunNo));
}

TEST(MalformedFileTest, CountsTheFileCannotHoldAreRefused) {
    for (const std::string& count :
         {hex("FFFF FFFFFFFF"), hex("FFFF 00000080"), hex("FFFF 411F0000"), hex("401F")}) {
        std::string file = test::emptyProjectMode2();
        file.replace(0, 2, count);
        EXPECT_FALSE(decodeProject(file));
    }
    // The long count form with a count the file holds is accepted.
    std::string file = test::emptyProjectMode2();
    file.replace(0, 2, hex("FFFF 01000000"));
    EXPECT_TRUE(decodeProject(file));
}

TEST(MalformedFileTest, TextLengthsPastTheEndAreRefused) {
    // The END text's length byte is at offset 46.
    ASSERT_EQ(test::emptyProjectMode2().substr(46, 4), hex("03") + "END");
    EXPECT_FALSE(decodeProject(patched(46, hex("FF"))));
    EXPECT_FALSE(decodeProject(patched(46, hex("FE"))));
    EXPECT_FALSE(decodeProject(patched(46, hex("FF FFFF"))));
}

// Inputs the fuzzer once found troublesome, kept as files.
TEST(MalformedFileTest, RegressionInputsAreRefusedOrReadWithoutHarm) {
    namespace fs = std::filesystem;
    int seen = 0;
    for (const auto& entry : fs::directory_iterator(RUNGSMITH_REGRESSION_DIR)) {
        if (!entry.is_regular_file() || entry.path().filename() == "README.md") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        const auto back = decodeProject(bytes);
        if (back) {
            RecordLists lists = back->records;
            if (!back->hasModeTable) lists.m_ProtocolList = {{0, "1"}};
            const auto again = decodeProject(encodeProject(lists));
            ASSERT_TRUE(again) << entry.path();
            EXPECT_EQ(again->records, lists);
        }
        ++seen;
    }
    EXPECT_GT(seen, 0);
}

}  // namespace
}  // namespace rs
