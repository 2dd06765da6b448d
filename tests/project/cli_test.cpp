#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "core/program_dir.h"
#include "project/project_file.h"
#include "tests/project/bytes.h"
#include "tests/project/temp_dir.h"

namespace rs {
namespace {

using test::readFile;
using test::writeFile;

struct CliRun {
    int status = -1;
    std::string out;  // standard output and standard error
};

CliRun cli(const std::string& args) {
    CliRun r;
    const std::string command = programDirectory() + "rungsmith-cli " + args + " 2>&1";
    FILE* p = ::popen(command.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int status = ::pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

class CliTest : public ::testing::Test {
  protected:
    test::TempDir dir;
    std::string in = dir.file("in.il");
    std::string out = dir.file("out.epj");
};

TEST_F(CliTest, ImportThenExportGivesTheTextBack) {
    const std::string text = "LD X000\nOUT T0 K10\nP0:\nLD M0\nMOV K10 D0\nEND\n";
    writeFile(in, text);
    ASSERT_EQ(cli("import " + in + " " + out).status, 0);
    const CliRun exported = cli("export " + out);
    EXPECT_EQ(exported.status, 0);
    EXPECT_EQ(exported.out, text);
    const CliRun listed = cli("list " + out);
    EXPECT_EQ(listed.status, 0);
    // OUT T0 K10: one step, one for the K and two more for the timer's K.
    EXPECT_EQ(listed.out, "0 LD X000\n1 OUT T0 K10\n5 P0\n5 LD M0\n6 MOV K10 D0\n12 END\n");
}

TEST_F(CliTest, ImportStoresTheModeAndAddsEnd) {
    writeFile(in, "LD X0\nOUT Y0\n");
    ASSERT_EQ(cli("import --mode 1 " + in + " " + out).status, 0);
    const auto file = decodeProject(readFile(out));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->records.m_ProtocolList.at(0).m_strText, "0");
    EXPECT_EQ(file->records.m_InstructionList.back().m_strText, "END");
    EXPECT_EQ(cli("export " + out).out, "LD X000\nOUT Y000\nEND\n");
}

TEST_F(CliTest, RefusedLineWritesNothing) {
    writeFile(out, "keep");
    writeFile(in, "LD X000\nOUT X001\n");
    const CliRun r = cli("import " + in + " " + out);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "line 2: Device setting is wrong!\n");
    EXPECT_EQ(readFile(out), "keep");
}

TEST_F(CliTest, CommentsImportExportAndCommentedListText) {
    writeFile(in, "LD X000\nOUT T0 K10\nMOV D0 D1\nEND\n");
    ASSERT_EQ(cli("import " + in + " " + out).status, 0);
    const std::string epj = readFile(out);
    const std::string csv = dir.file("io.csv");
    writeFile(csv,
              "Device,Comment\r\nx0,\"Start, green\"\r\nT0,Delay\r\nD1,Preset\r\nD0,Count\r\n");
    ASSERT_EQ(cli("comments import " + out + " " + csv).status, 0);
    EXPECT_EQ(readFile(out), epj);
    EXPECT_EQ(cli("comments export " + out).out,
              "X000,\"Start, green\"\nT0,Delay\nD0,Count\nD1,Preset\n");

    // A second list adds and removes; --replace keeps only the file's.
    writeFile(csv, "T0,\nY0,Motor\n");
    ASSERT_EQ(cli("comments import " + out + " " + csv).status, 0);
    EXPECT_EQ(cli("comments export " + out).out,
              "X000,\"Start, green\"\nY000,Motor\nD0,Count\nD1,Preset\n");
    const CliRun commented = cli("export --comments " + out);
    EXPECT_EQ(commented.out,
              "LD X000  # Start, green\nOUT T0 K10\nMOV D0 D1  # D0: Count; D1: Preset\nEND\n");
    // The commented text imports back to the same program.
    writeFile(in, commented.out);
    const std::string again = dir.file("again.epj");
    ASSERT_EQ(cli("import " + in + " " + again).status, 0);
    EXPECT_EQ(readFile(again), epj);

    writeFile(csv, "Y0,Motor\n");
    ASSERT_EQ(cli("comments import --replace " + out + " " + csv).status, 0);
    EXPECT_EQ(cli("comments export " + out).out, "Y000,Motor\n");

    // A damaged list is named by its line and changes nothing.
    writeFile(csv, "X1,Stop\nX8,not octal\n");
    const CliRun bad = cli("comments import " + out + " " + csv);
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.out.find(csv + ":2:"), std::string::npos) << bad.out;
    EXPECT_EQ(cli("comments export " + out).out, "Y000,Motor\n");
    EXPECT_EQ(cli("comments list " + out).status, 2);
    EXPECT_EQ(cli("comments export").status, 2);
}

TEST_F(CliTest, MalformedProjectAndWrongUsage) {
    writeFile(out, test::emptyProjectMode2().substr(0, 50));
    const CliRun r = cli("export " + out);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Unexpected file format.\n");
    EXPECT_EQ(cli("import " + in).status, 2);
    EXPECT_EQ(cli("list --mode 3 " + out).status, 2);
}

}  // namespace
}  // namespace rs
