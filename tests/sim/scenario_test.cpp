// Devices named from outside the program (watch, set, conditions), scenario
// files read and run on the virtual clock, and the VCD file of a traced run.
#include "sim/scenario.h"

#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "sim/vcd.h"
#include "tests/sim/sim_rig.h"

namespace rs::sim::test {
namespace {

// X and Y count in octal: a name with an 8 or 9 is refused wherever a user
// names a device, never read as the decimal number it spells.
TEST(SimDeviceNames, XAndYNumbersTakeOctalDigitsOnly) {
    for (const char* refused : {"X8", "X9", "Y8", "X019", "Y180", "X0009"}) {
        std::string problem;
        EXPECT_FALSE(makeWatch(refused, problem)) << refused;
        EXPECT_NE(problem.find("octal"), std::string::npos) << refused << ": " << problem;
        EXPECT_FALSE(parseSet(std::string(refused) + "=1@0ms", problem)) << refused;
        EXPECT_FALSE(parseCondition(std::string(refused) + " = 1", problem)) << refused;
    }
    std::string problem;
    EXPECT_FALSE(parseOperand("K1X8", false, problem));
    for (const char* accepted : {"X7", "X017", "Y377", "M8", "M19", "D9"})
        EXPECT_TRUE(makeWatch(accepted, problem)) << accepted << ": " << problem;
    // X017 is the fifteenth input: the same bit as the program's X017.
    Rig rig("LD X017\nOUT Y000\nEND");
    rig.engine.write(makeWatch("X017", problem)->value, 1);
    rig.scan();
    EXPECT_TRUE(rig.bit("Y000"));
}

TEST(SimConditions, ParseAndDecideOnTheDevicesNow) {
    Rig rig("LD X000\nOUT T0 K2\nLD X000\nOUT Y000\nLD M8000\nMOV K57 D0\nEND");
    rig.set("X000", true);
    rig.scan(0);
    rig.scan(100);  // T0 = 1
    const struct {
        const char* text;
        bool holds;
        const char* seen;
    } cases[] = {
        {"Y000 = 1", true, "Y000 = 1"}, {"Y000=0", false, "Y000 = 1"},
        {"Y000 on", true, "Y000 = 1"},  {"  Y001 off ", true, "Y001 = 0"},
        {"D0 >= 57", true, "D0 = 57"},  {"D0 > 57", false, "D0 = 57"},
        {"D0 != -3", true, "D0 = 57"},  {"D0 <= 56", false, "D0 = 57"},
        {"D0 < 58", true, "D0 = 57"},   {"T0 on", false, "T0 = 1 off"},
        {"T0 = 1", true, "T0 = 1 off"}, {"T0 off", true, "T0 = 1 off"},
    };
    for (const auto& c : cases) {
        std::string problem;
        const auto condition = parseCondition(c.text, problem);
        ASSERT_TRUE(condition) << c.text << ": " << problem;
        EXPECT_EQ(holds(rig.engine, *condition), c.holds) << c.text;
        EXPECT_EQ(observed(rig.engine, *condition), c.seen) << c.text;
    }
    for (const char* wrong : {"", "Y000", "Y000 = 2", "D0 on", "D0 >= ", "D0 => 1", "D0 = 1x",
                              "Q5 = 1", "= 1", "D0 = 99999999999"}) {
        std::string problem;
        EXPECT_FALSE(parseCondition(wrong, problem)) << wrong;
        EXPECT_FALSE(problem.empty()) << wrong;
    }
}

const char* const kLatch = "LD X000\nOR Y000\nANI X001\nOUT Y000\nLD Y000\nOUT T0 K10\nEND";

std::string runText(const std::string& list, const std::string& scenarioText, bool& passed) {
    ScenarioError error;
    const auto scenario = parseScenario(scenarioText, error);
    EXPECT_TRUE(scenario) << error.line << ": " << error.message;
    if (!scenario) return {};
    Rig rig(list);
    std::ostringstream out;
    passed = runScenario(rig.engine, *scenario, out);
    return out.str();
}

TEST(SimScenario, ALatchWithATimerPassesAndFailsWithItsFirstFailure) {
    const std::string head =
        "# start/stop latch\nproject latch.epj\nscan 10ms\n"
        "at 100ms set X000 = 1\nat 150ms set X000 = 0\n";
    bool passed = false;
    std::string out = runText(kLatch,
                              head +
                                  "at 90ms Y000 = 0\n"
                                  "within 100ms..2s always Y000 = 1\n"
                                  "within 0..1090ms never T0 on\n"
                                  "within 0..2s eventually T0 on\n"
                                  "at 1.1s T0 = 10\n",
                              passed);
    EXPECT_TRUE(passed) << out;
    EXPECT_EQ(out,
              "ok   line 6: at 90ms Y000 = 0\n"
              "ok   line 7: within 100ms..2s always Y000 = 1\n"
              "ok   line 8: within 0..1090ms never T0 on\n"
              "ok   line 9: within 0..2s eventually T0 on\n"
              "ok   line 10: at 1.1s T0 = 10\n"
              "5 expectations, all hold\n");

    out = runText(kLatch,
                  head +
                      "at 1000ms T0 on\n"
                      "within 0..500ms never Y000 = 1\n"
                      "within 0..300ms eventually T0 >= 5\n"
                      "at 500ms D0 = 0\n",
                  passed);
    EXPECT_FALSE(passed);
    EXPECT_EQ(out,
              "FAIL line 6: at 1000ms T0 on: at 1000ms T0 = 9 off\n"
              "FAIL line 7: within 0..500ms never Y000 = 1: at 100ms Y000 = 1\n"
              "FAIL line 8: within 0..300ms eventually T0 >= 5: at 300ms T0 = 2 off\n"
              "ok   line 9: at 500ms D0 = 0\n"
              "4 expectations, 3 fail; first at 100ms (line 7): Y000 = 1\n");
}

TEST(SimScenario, ARunTheEngineStopsLeavesTheRestUndecided) {
    bool passed = true;
    const std::string out =
        runText("LD X000\nMPS\nOUT Y000\nEND", "project p.epj\nat 0ms Y000 = 0\n", passed);
    EXPECT_FALSE(passed);
    EXPECT_NE(out.find("FAIL line 2: at 0ms Y000 = 0: not decided"), std::string::npos) << out;
}

TEST(SimScenario, MalformedLinesNameTheirLineAndTheFault) {
    const struct {
        const char* text;
        int line;
        const char* words;
    } cases[] = {
        {"at 0ms Y000 = 1\n", 0, "names no project"},
        {"project a.epj\n", 0, "expects nothing"},
        {"project a.epj\nproject b.epj\n", 2, "second project"},
        {"project\n", 1, "needs a file"},
        {"project a.epj\nwait 5s\n", 2, "\"wait\" begins no scenario line"},
        {"project a.epj\nat soon Y000 = 1\n", 2, "\"soon\" is no time"},
        {"project a.epj\nat 1s Y000 = 2\n", 2, "is a bit"},
        {"project a.epj\nat 1s X9 = 1\n", 2, "octal"},
        {"project a.epj\nat 1s set X000\n", 2, "set takes DEVICE = VALUE"},
        {"project a.epj\nat 1s set V0 = 1\n", 2, "cannot be set"},
        {"project a.epj\nat 1s set X000 = 1@5ms\n", 2, "set takes DEVICE = VALUE"},
        {"project a.epj\nwithin 5s Y000 = 1\n", 2, "takes a span"},
        {"project a.epj\nwithin 2s..1s always Y000 = 1\n", 2, "ends before it begins"},
        {"project a.epj\nwithin 0..1s sometimes Y000 = 1\n", 2, "always, never or eventually"},
        {"project a.epj\nscan 0ms\n", 2, "above 0"},
        {"project a.epj\nrun 1s\nat 2s Y000 = 1\n", 2, "before the 2000ms of line 3"},
        {"project a.epj\nscan 10ms\nwithin 3..7ms always Y000 = 1\n", 3, "no scan falls"},
        {"project a.epj\nscan 1ms\nrun 20min\nat 1s Y000 = 1\n", 3, "more than 1000000 scans"},
        {"project a.epj\nscan 1ms\nat 1000s Y000 = 1\n", 3, "more than 1000000 scans"},
    };
    for (const auto& c : cases) {
        ScenarioError error;
        EXPECT_FALSE(parseScenario(c.text, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text << error.message;
        EXPECT_NE(error.message.find(c.words), std::string::npos) << c.text << error.message;
    }
    ScenarioError error;
    const auto s =
        parseScenario("project  my latch.epj  # the file\nscan 25ms\nat 1010ms Y0 = 1\n", error);
    ASSERT_TRUE(s) << error.message;
    EXPECT_EQ(s->project, "my latch.epj");
    EXPECT_EQ(s->runMs, 1025) << "a time between scans is met by the scan after it";
}

// The VCD file: header with one $var per signal (a timer's contact as its own
// wire), $enddefinitions, the first values under $dumpvars, then only changes
// at increasing times, each value written for a declared identifier.
TEST(SimVcd, ATracedRunIsAWellFormedValueChangeDump) {
    Rig rig(kLatch);
    std::vector<Watch> watches;
    for (const char* d : {"X000", "Y000", "T0", "D0"}) {
        std::string problem;
        watches.push_back(*makeWatch(d, problem));
    }
    std::ostringstream out;
    VcdWriter vcd(out, watches);
    TraceOptions run;
    run.forMs = 1500;
    run.sets = {{100, watches[0], 1}, {150, watches[0], 0}};
    ASSERT_TRUE(runOnClock(rig.engine, run, [&](int64_t t) { vcd.sample(t, rig.engine); }));

    std::istringstream in(out.str());
    std::string line;
    std::map<std::string, std::string> ids;  // identifier -> name
    std::map<std::string, int> widths;
    const std::regex var(R"(\$var (wire|reg) (\d+) (\S+) (\S+) \$end)");
    while (std::getline(in, line) && line != "$enddefinitions $end") {
        std::smatch m;
        if (std::regex_match(line, m, var)) {
            EXPECT_TRUE(ids.emplace(m[3], m[4]).second) << "identifier given twice: " << line;
            widths[m[3]] = std::stoi(m[2]);
        }
    }
    ASSERT_EQ(line, "$enddefinitions $end");
    EXPECT_EQ(ids.size(), 5u);
    std::set<std::string> names;
    for (const auto& [id, name] : ids) names.insert(name);
    EXPECT_EQ(names, (std::set<std::string>{"X000", "Y000", "T0", "T0_on", "D0"}));
    EXPECT_NE(out.str().find("$timescale 1ms $end"), std::string::npos);

    std::map<std::string, std::string> value;  // name -> last value written
    std::map<int64_t, std::map<std::string, std::string>> at;
    int64_t time = -1;
    const std::regex scalar(R"(([01])(\S+))"), vector(R"(b([01]+) (\S+))");
    while (std::getline(in, line)) {
        std::smatch m;
        if (line == "$dumpvars" || line == "$end") continue;
        if (line[0] == '#') {
            const int64_t t = std::stoll(line.substr(1));
            EXPECT_GT(t, time) << "times increase";
            time = t;
            continue;
        }
        ASSERT_GE(time, 0) << "a value before the first time: " << line;
        const bool isVector = std::regex_match(line, m, vector);
        ASSERT_TRUE(isVector || std::regex_match(line, m, scalar)) << line;
        const std::string id = m[2];
        ASSERT_TRUE(ids.count(id)) << line;
        EXPECT_EQ(isVector, widths[id] > 1) << line;
        const std::string v = isVector ? std::to_string(std::stoi(m[1], nullptr, 2)) : m[1].str();
        EXPECT_NE(value[ids[id]], v) << "a repeated value at " << time << ": " << line;
        value[ids[id]] = v;
        at[time][ids[id]] = v;
    }
    EXPECT_EQ(at[0].size(), 5u) << "every signal dumped at 0";
    EXPECT_EQ(at[100]["X000"], "1");
    EXPECT_EQ(at[100]["Y000"], "1");
    EXPECT_EQ(at[150]["X000"], "0");
    EXPECT_EQ(at[200]["T0"], "1");
    EXPECT_EQ(at[1100]["T0"], "10");
    EXPECT_EQ(at[1100]["T0_on"], "1");
    EXPECT_EQ(value["Y000"], "1");
}

TEST(SimVcd, IdentifiersStayPrintableAndDistinct) {
    std::set<std::string> seen;
    for (size_t n = 0; n < 95 * 95 + 5; ++n) {
        const std::string id = vcdIdentifier(n);
        for (char c : id) ASSERT_TRUE(c >= '!' && c <= '~') << n;
        ASSERT_TRUE(seen.insert(id).second) << n;
    }
}

}  // namespace
}  // namespace rs::sim::test
