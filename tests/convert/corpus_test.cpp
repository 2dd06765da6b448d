// The corpus: ladders as cell tables, each with the instruction list it must
// convert to ("#> " lines, checked by hand against the conversion rules), or
// the cell it must be reported at ("#! at ROW COL"), or the message that
// refuses it ("#! refused TEXT"). "#mode 1" converts in mode 1. Every ladder
// that converts must also keep its meaning.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "core/cell_table.h"
#include "core/list_text.h"
#include "core/messages.h"
#include "tests/convert/meaning.h"
#include "tests/support/test_session.h"

namespace rs::test {
namespace {

struct CorpusCase {
    std::string name;
    std::string text;
    std::string expectedList;
    bool reportExpected = false;
    int row = -1, col = -1;
    std::string refusal;
    bool mode1 = false;
};

std::vector<CorpusCase> loadCorpus() {
    std::vector<CorpusCase> cases;
    for (const auto& entry : std::filesystem::directory_iterator(RUNGSMITH_CORPUS_DIR)) {
        if (entry.path().extension() != ".cells") continue;
        CorpusCase c;
        c.name = entry.path().stem().string();
        std::ifstream in(entry.path());
        std::ostringstream all;
        all << in.rdbuf();
        c.text = all.str();
        std::istringstream lines(c.text);
        std::string line;
        while (std::getline(lines, line)) {
            if (line.rfind("#> ", 0) == 0) c.expectedList += line.substr(3) + "\n";
            if (line.rfind("#! at ", 0) == 0) {
                c.reportExpected = true;
                std::istringstream(line.substr(6)) >> c.row >> c.col;
            }
            if (line.rfind("#! refused ", 0) == 0) c.refusal = line.substr(11);
            if (line == "#mode 1") c.mode1 = true;
        }
        cases.push_back(std::move(c));
    }
    return cases;
}

std::vector<std::string> contactDevices(const LadderGrid& g) {
    std::set<std::string> devices;
    for (int r = 0; r <= g.m_nLastRow; ++r)
        for (int c = 1; c <= 9; ++c)
            if (isSerialContactKind(serialTwin(g.kind(r, c)))) devices.insert(g.text(r, c));
    return {devices.begin(), devices.end()};
}

TEST(ConvertCorpus, EveryLadderGivesItsList) {
    const std::vector<CorpusCase> cases = loadCorpus();
    ASSERT_GE(cases.size(), 25u);
    for (const CorpusCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestSession t;
        t.app.setMode2(!c.mode1);
        ASSERT_TRUE(readCellTable(c.text, t.session.grid()).ok);
        t.session.commit();
        if (!c.expectedList.empty()) {
            const std::vector<std::string> inputs = contactDevices(t.session.grid());
            EXPECT_EQ(meaningDiffers(t.session, inputs), "");
            EXPECT_EQ(listText(t.session.table()), c.expectedList);
            EXPECT_TRUE(t.view.m_bCompiled);
            EXPECT_TRUE(t.app.m_bCompiled);
            EXPECT_TRUE(store::listsConsistent(t.view.records));
            EXPECT_TRUE(t.sink.shown.empty());
            continue;
        }
        const ConvertOutcome out = convertLadder(t.session);
        EXPECT_FALSE(out.compiled);
        EXPECT_FALSE(t.view.m_bCompiled);
        EXPECT_FALSE(t.app.m_bCompiled);
        ASSERT_FALSE(t.sink.shown.empty());
        if (c.reportExpected) {
            EXPECT_TRUE(out.unconvertible);
            EXPECT_EQ(out.reportRow, c.row);
            EXPECT_EQ(out.reportCol, c.col);
            EXPECT_EQ(t.sink.texts(), std::vector<std::string>{msg::kUnconvertible});
            EXPECT_EQ(t.sink.shown[0].caption, msg::kCaption);
            EXPECT_EQ(t.sink.shown[0].icon, MessageIcon::Information);
            EXPECT_EQ(t.session.grid().m_nCursorRow, c.row);
            EXPECT_EQ(t.session.grid().m_nCursorCol, c.col);
            EXPECT_TRUE(t.view.highlight.active);
            EXPECT_FALSE(t.view.highlight.inList);
        } else {
            EXPECT_FALSE(out.unconvertible);
            EXPECT_EQ(t.sink.shown[0].text, c.refusal);
        }
    }
}

}  // namespace
}  // namespace rs::test
