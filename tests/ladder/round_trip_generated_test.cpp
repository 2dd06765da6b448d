// Seeded lists placed and converted back: the ladder means what the list
// means, Convert gives a list that means the same, and a list in the form
// Convert writes comes back row for row.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>

#include "core/convert/convert.h"
#include "core/evaluate/list_eval.h"
#include "core/evaluate/power_flow.h"
#include "core/list_to_ladder/list_to_ladder.h"
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
        if (!t) t = std::make_unique<test::TestSession>();
        t->view.m_bCompiled = true;
        t->view.m_bUnconvertible = 0;
        test::loadList(t->session, lines);
        t->view.m_bListMode = 1;
        placed = ladder::listToLadder(t->session);
        if (!placed) return false;
        gridMeaning = meaning(devices, seed, [&](const eval::DeviceReader& r) {
            return eval::runGrid(t->session.grid(), r);
        });
        t->view.m_bListMode = 0;
        const ConvertOutcome c = convertLadder(t->session);
        back = test::listLines(t->session.table());
        return c.compiled;
    }
    std::string check(const std::vector<std::string>& list, uint32_t seed);
    void expectAllPass(test::ListShape shape, uint32_t seed, int count);
    std::unique_ptr<test::TestSession> t;
    std::unique_ptr<InstructionTable> table;
    bool placed = false;  // the last trip's list could be placed
};

// Empty when the list survives the trip; otherwise what went wrong.
std::string RoundTrip::check(const std::vector<std::string>& list, uint32_t seed) {
    if (!table) table = std::make_unique<InstructionTable>();
    test::fillList(*table, list);
    const std::vector<eval::ListRow> rows = eval::tableRows(*table);
    const std::vector<std::string> devices = contactDevices(rows);
    std::string refused;
    const Meaning listMeaning = meaning(devices, seed, [&](const eval::DeviceReader& r) {
        const eval::ListResult res = eval::runList(rows, r);
        if (!res.ok) refused = res.problem;
        return res.outputs;
    });
    if (!refused.empty()) return "the evaluator refuses the list: " + refused;

    Meaning gridMeaning;
    std::vector<std::string> back;
    if (!trip(list, devices, seed, gridMeaning, back))
        return (placed ? "not converted" : "not placed") + shown(back);
    if (gridMeaning != listMeaning) return "the ladder means something else";
    test::fillList(*table, back);
    const std::vector<eval::ListRow> backRows = eval::tableRows(*table);
    const Meaning backMeaning = meaning(devices, seed, [&](const eval::DeviceReader& r) {
        return eval::runList(backRows, r).outputs;
    });
    if (backMeaning != listMeaning) return "converted list means something else" + shown(back);

    // What Convert wrote is in its own form: it must come back unchanged.
    std::vector<std::string> again;
    if (!trip(back, devices, seed, gridMeaning, again))
        return "converted list not converted again" + shown(back);
    if (again == back) return {};
    // A list whose layout repeats a branch network (a point with several
    // branches that each split again) comes back with the network written
    // once per output: it must mean the same, and that form must stay.
    test::fillList(*table, again);
    const std::vector<eval::ListRow> againRows = eval::tableRows(*table);
    const Meaning againMeaning = meaning(devices, seed, [&](const eval::DeviceReader& r) {
        return eval::runList(againRows, r).outputs;
    });
    std::vector<std::string> third;
    if (againMeaning != listMeaning || !trip(again, devices, seed, gridMeaning, third) ||
        third != again)
        return "converted list came back changed" + shown(back) + "\nagain:" + shown(again);
    return {};
}

// Runs `count` lists of the given shape through check(); every one must pass.
void RoundTrip::expectAllPass(test::ListShape shape, uint32_t seed, int count) {
    test::ListGenerator gen(seed, shape);
    int failures = 0;
    std::multimap<size_t, std::string> smallest;  // a few of the shortest failures
    for (int i = 0; i < count; ++i) {
        const std::vector<std::string> list = gen.next();
        const std::string problem = check(list, static_cast<uint32_t>(i));
        if (problem.empty()) continue;
        ++failures;
        smallest.emplace(list.size(),
                         "program " + std::to_string(i) + shown(list) + "\n" + problem);
        if (smallest.size() > 3) smallest.erase(std::prev(smallest.end()));
    }
    std::string report;
    for (const auto& [size, text] : smallest) report += "\n" + text;
    EXPECT_EQ(failures, 0) << "shortest failing lists:" << report;
}

// Rungs of nested series and parallel blocks, each ending in one or more
// outputs written one after another or from a split point.
TEST_F(RoundTrip, BlocksWithOutputGroups) {
    test::ListShape shape;
    shape.blockDepth = 3;
    shape.pointDepth = 0;
    expectAllPass(shape, 11, 5000);
}

// Rungs that split into branches of contacts, the last branch of a point
// splitting again.
TEST_F(RoundTrip, SplitsIntoBranches) {
    test::ListShape shape;
    shape.blockDepth = 1;
    shape.pointDepth = 2;
    shape.blocksInBranches = false;
    shape.groupsInEveryBranch = false;
    expectAllPass(shape, 12, 5000);
}

std::vector<std::string> lines(const std::string& commaSeparated) {
    std::vector<std::string> out;
    std::string cur;
    for (char ch : commaSeparated + ",") {
        if (ch != ',') {
            if (!(cur.empty() && ch == ' ')) cur += ch;
            continue;
        }
        out.push_back(cur);
        cur.clear();
    }
    out.push_back("END");
    return out;
}

// Placed ladders that Convert used to turn into lists of another meaning, or
// reported (the last six, with the list of a branch of blocks after a split):
// each now comes back with the same meaning.
TEST_F(RoundTrip, NeverAWrongList) {
    const char* comesBack[] = {
        "LD X003, OR X001, OR X005, MPS, OUT M0, MRD, AND X004, MPS, SET M1, MPP, AND X001, "
        "OUT Y000, MPP, OUT Y002",
        "LD X006, LDP T0, OR M1, ORB, MPS, LDF X007, AND C0, OR X002, ANB, MPS, INC D0, MRD, "
        "SET Y003, MPP, ZCP K10 K20 D0 M0, MRD, LDF M0, OR X004, ANB, LDP X004, OR X002, ANB, "
        "OUT T0 K10, MPP, OUT Y003",
        "LD X004, LDF C0, ORB, LD M0, OR X003, ORB, AND X000, MPS, AND C0, MPS, SET Y001, MPP, "
        "OUT T0 K10, MPP, OUT M1",
        "LD X000, AND X003, MPS, AND X001, OUT Y000, OUT Y001, MPP, OUT Y002",
        "LD X006, OR M0, OR X000, MPS, AND C0, OUT Y000, MPP, OUT Y003",
        "LD X000, OUT Y000, P1:, P2:, LD X001, OUT Y001, P3:",
        "LD X000, AND X003, MPS, AND X001, OUT Y000, OUT Y001, OUT Y002, MPP, OUT Y003",
        "LD X000, LD M1, OR M0, ANB, AND X000, MPS, OUT M1, MRD, LD X006, OR X007, ANB, OUT Y001, "
        "OUT Y002, MPP, SET M3",
        "LD X000, MPS, OUT M1, MRD, AND X005, LD X006, OR X007, ANB, OUT Y001, MPP, SET M3",
        "LDF M1, MPS, OUT M0, MPP, LDF X007, AND X002, OR X005, ANB, MPS, LD M0, AND X003, "
        "ORP T0, ANB, OUT M1, OUT Y003, MRD, AND X002, RST M1, MPP, OUT C0 D10",
        "LD X004, MPS, AND X007, INC D0, MRD, LDP X001, OR M1, ANB, AND X004, OUT M0, OUT Y003, "
        "AND X007, OUT M3, MPP, OUT T0 K10",
        "LD X005, LD X001, OR X002, AND X003, ORB, LD X006, OR X007, AND X004, ANB, LD X005, "
        "LD X006, OR X007, ANB, ORB, OUT Y001",
        "LD X005, LD X001, OR X002, AND X003, ORB, LD X006, OR X007, AND X004, ORB, OUT Y001",
        "LD X000, AND X003, MPS, AND M1, OUT Y000, RST M1, OUT Y002, MPP, OUT Y003",
        "LD M0, MPS, OUT Y001, MPP, LD C0, OR X004, ANB, MPS, AND X001, SET Y001, OUT Y001, MPP, "
        "OUT Y000",
        "LD X0, MPS, AND X1, OUT Y1, MPP, AND X7, MPS, LD X11, OR X12, ANB, OUT Y2, MPP, AND X13, "
        "OUT Y3",
    };
    for (const char* list : comesBack) EXPECT_EQ(check(lines(list), 1), "") << list;
}

// Lists of every shape the generator makes: every list that could be placed
// converts back, to a list that means what the placed list means, and a list
// in Convert's own form comes back unchanged. Prints the
// share that survives the trip and the shortest failure of each kind;
// RUNGSMITH_ROUNDTRIP_COUNT sets how many lists run (2000 by default).
TEST_F(RoundTrip, BroadShapesNeverComeBackWrong) {
    test::ListGenerator gen(1, test::ListShape{});
    const char* env = std::getenv("RUNGSMITH_ROUNDTRIP_COUNT");
    const int count = env != nullptr ? std::max(1, std::atoi(env)) : 2000;
    int passed = 0;
    struct Kind {
        int count = 0;
        size_t size = 0;
        std::string shortest;
    };
    std::map<std::string, Kind> kinds;
    for (int i = 0; i < count; ++i) {
        const std::vector<std::string> list = gen.next();
        const std::string problem = check(list, static_cast<uint32_t>(i));
        if (problem.empty()) {
            ++passed;
            continue;
        }
        const std::string kind = problem.substr(0, problem.find('\n'));
        Kind& k = kinds[kind];
        if (k.count++ == 0 || list.size() < k.size) {
            k.size = list.size();
            k.shortest = shown(list) + "\n" + problem;
        }
    }
    std::printf("round trip: %d of %d\n", passed, count);
    for (const auto& [kind, k] : kinds) {
        if (kind == "not placed") continue;
        ADD_FAILURE() << kind << ": " << k.count << " lists, the shortest:" << k.shortest;
    }
    // Every placed list converts back since Convert compiles every
    // series-parallel rung (10000 of 10000; 65 % before).
    EXPECT_GE(passed * 100, count * 95);
}

}  // namespace
}  // namespace rs
