// Seeded lists placed and converted back: the ladder means what the list
// means, Convert gives a list that means the same, and a list in the form
// Convert writes comes back row for row.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "core/evaluate/list_eval.h"
#include "core/evaluate/power_flow.h"
#include "core/list_to_ladder/list_to_ladder.h"
#include "core/convert/convert.h"
#include "tests/ladder/list_fixture.h"
#include "tests/ladder/list_generator.h"
#include "tests/support/test_session.h"

namespace rs {
namespace {

std::string shown(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += "\n  " + l;
    return s;
}

// Contact devices of a list, each given a value by every assignment.
std::vector<std::string> contactDevices(const std::vector<eval::ListRow>& rows) {
    std::set<std::string> d;
    for (const auto& r : rows)
        if (r.mnemonic.rfind("LD", 0) == 0 || r.mnemonic.rfind("AN", 0) == 0 ||
            r.mnemonic.rfind("OR", 0) == 0)
            d.insert(r.operand);
    return {d.begin(), d.end()};
}

struct Meaning {
    std::vector<std::vector<eval::Output>> scans;
    bool operator==(const Meaning&) const = default;
};

template <typename Run>
Meaning meaning(const std::vector<std::string>& devices, uint32_t seed, Run run) {
    std::mt19937 rng(seed);
    Meaning m;
    for (int scan = 0; scan < 12; ++scan) {
        std::map<std::string, bool> values;
        for (const auto& d : devices) values[d] = (rng() & 1) != 0;
        m.scans.push_back(run([&](const std::string& d) { return values[d]; }));
    }
    return m;
}

class RoundTrip : public ::testing::Test {
protected:
    // Places and converts the list in a fresh view; the placed grid's meaning
    // and the converted list come back.
    bool trip(const std::vector<std::string>& lines, const std::vector<std::string>& devices,
              uint32_t seed, Meaning& gridMeaning, std::vector<std::string>& back) {
        t = std::make_unique<test::TestSession>();
        test::loadList(t->session, lines);
        t->view.m_bListMode = 1;
        if (!ladder::listToLadder(t->session)) return false;
        gridMeaning = meaning(devices, seed, [&](const eval::DeviceReader& r) {
            return eval::runGrid(t->session.grid(), r);
        });
        t->view.m_bListMode = 0;
        const ConvertOutcome c = convertLadder(t->session);
        back = test::listLines(t->session.table());
        return c.compiled;
    }
    std::unique_ptr<test::TestSession> t;
};

TEST_F(RoundTrip, GeneratedListsKeepTheirMeaning) {
    test::ListGenerator gen(7);
    auto table = std::make_unique<InstructionTable>();
    for (int i = 0; i < 10000; ++i) {
        const std::vector<std::string> list = gen.next();
        test::fillList(*table, list);
        const std::vector<eval::ListRow> rows = eval::tableRows(*table);
        const std::vector<std::string> devices = contactDevices(rows);
        const Meaning listMeaning = meaning(devices, i, [&](const eval::DeviceReader& r) {
            const eval::ListResult res = eval::runList(rows, r);
            EXPECT_TRUE(res.ok) << "generator wrote a list the evaluator refuses: "
                                << res.problem << shown(list);
            return res.outputs;
        });

        Meaning gridMeaning;
        std::vector<std::string> back;
        const bool compiled = trip(list, devices, i, gridMeaning, back);
        ASSERT_TRUE(compiled) << "program " << i << shown(list) << "\nconverted:" << shown(back);
        ASSERT_EQ(gridMeaning, listMeaning) << "ladder of program " << i << shown(list);
        test::fillList(*table, back);
        const std::vector<eval::ListRow> backRows = eval::tableRows(*table);
        ASSERT_EQ(meaning(devices, i,
                          [&](const eval::DeviceReader& r) {
                              return eval::runList(backRows, r).outputs;
                          }),
                  listMeaning)
            << "program " << i << shown(list) << "\nconverted:" << shown(back);

        // What Convert wrote is in its own form: it must come back unchanged.
        std::vector<std::string> again;
        ASSERT_TRUE(trip(back, devices, i, gridMeaning, again)) << shown(back);
        ASSERT_EQ(again, back) << "program " << i << shown(list);
    }
}

}  // namespace
}  // namespace rs
