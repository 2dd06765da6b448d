// The list checker (64 scans at once) and the scan engine (one scan) share one
// rung stack: over generated lists, well-formed and malformed, they accept
// the same lists, drive the same outputs and refuse with the same message.
#include <gtest/gtest.h>

#include <random>

#include "core/device/device_ref.h"
#include "core/evaluate/list_eval.h"
#include "core/evaluate/rung_stack.h"
#include "tests/sim/sim_rig.h"

namespace rs::sim::test {
namespace {

constexpr int kInputs = 6;  // X000 to X005: 64 assignments, one lane each

std::string input(int i) {
    return device::deviceText('X', i);
}

// A list of contacts, joins, points and outputs. Mostly the shapes a
// well-formed rung takes; `malformed` draws any row anywhere, so that every
// refusal of the stacks is reached.
std::vector<eval::ListRow> generate(std::mt19937& random, bool malformed) {
    static const char* const kContacts[] = {"LD", "LDI", "AND", "ANI", "OR", "ORI"};
    static const char* const kOthers[] = {"ANB", "ORB", "MPS", "MRD", "MPP", "OUT", ""};
    std::vector<eval::ListRow> rows;
    int outputs = 0;
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto contact = [&](const char* m) { rows.push_back({m, input(pick(kInputs))}); };
    auto output = [&] {
        rows.push_back({"OUT", device::deviceText('Y', device::octalDigits(outputs++))});
    };
    const int length = 1 + pick(malformed ? 16 : 6);
    for (int k = 0; k < length; ++k) {
        if (malformed) {
            const int which = pick(13);
            if (which < 6)
                contact(kContacts[which]);
            else if (std::string_view(kOthers[which - 6]) == "OUT")
                output();
            else if (which == 12)
                rows.push_back({"", "P" + std::to_string(k)});
            else
                rows.push_back({kOthers[which - 6], ""});
            continue;
        }
        // A rung: a load, series and parallel contacts, maybe a nested block
        // joined back, maybe points with outputs, then an output.
        contact(pick(2) ? "LD" : "LDI");
        for (int c = pick(3); c > 0; --c) contact(kContacts[2 + pick(4)]);
        if (pick(2)) {
            contact("LD");
            contact(kContacts[2 + pick(4)]);
            rows.push_back({pick(2) ? "ANB" : "ORB", ""});
        }
        if (pick(3) == 0) {
            rows.push_back({"MPS", ""});
            contact("AND");
            output();
            for (int r = pick(2); r > 0; --r) {
                rows.push_back({"MRD", ""});
                output();
            }
            rows.push_back({"MPP", ""});
        }
        output();
        if (pick(4) == 0) {
            contact("AND");
            output();
        }
    }
    if (!malformed || pick(4) != 0) rows.push_back({"END", ""});
    return rows;
}

std::string text(const std::vector<eval::ListRow>& rows) {
    std::string out;
    for (const auto& r : rows)
        out += r.mnemonic.empty() ? r.operand + ":\n" : r.mnemonic + " " + r.operand + "\n";
    return out;
}

TEST(RungStackAgreement, ListCheckerAndEngineAgreeOnGeneratedLists) {
    std::mt19937 random(20);
    int refused = 0;
    for (int n = 0; n < 3000; ++n) {
        const bool malformed = n % 2 == 1;
        const auto rows = generate(random, malformed);
        const std::string listing = text(rows);
        SCOPED_TRACE(listing);
        const eval::WideListResult list = eval::runListWide(rows, [](const std::string& d) {
            const int i = static_cast<int>(device::parseDevice(d, device::kAddressSyntax)->number);
            uint64_t lanes = 0;
            for (int lane = 0; lane < 64; ++lane) lanes |= uint64_t((lane >> i) & 1) << lane;
            return lanes;
        });
        for (int lane = 0; lane < 64; ++lane) {
            Rig rig(listing);
            for (int i = 0; i < kInputs; ++i) rig.set(input(i), (lane >> i) & 1);
            const bool ran = rig.scan();
            ASSERT_EQ(ran, list.ok) << list.problem << " / " << rig.stopMessage();
            if (!ran) {
                const Stop& stop = *rig.engine.stopped();
                EXPECT_TRUE(stop.message.ends_with(": " + list.problem))
                    << list.problem << " / " << stop.message;
                // The checker names the load that began a rung over an open
                // MPS and the row after a list without END; the engine names
                // the row it stopped at.
                const int last = static_cast<int>(rows.size()) - 1;
                if (list.problem == eval::rungFaultText(eval::RungFault::HeldWithPointOpen)) {
                    EXPECT_LE(list.errorRow, stop.row);
                } else if (list.errorRow > last) {
                    EXPECT_EQ(stop.row, last);
                } else {
                    EXPECT_EQ(list.errorRow, stop.row);
                }
                ++refused;
                break;
            }
            for (const eval::WideOutput& out : list.outputs)
                ASSERT_EQ(rig.bit(out.name), ((out.on >> lane) & 1) != 0) << out.name;
        }
        if (!malformed) {
            ASSERT_TRUE(list.ok) << list.problem;
        }
    }
    // The generator reaches refusals as often as acceptances.
    EXPECT_GT(refused, 1000);
}

// Each refusal the stack makes, reached by a short list, with the row the
// checker names.
TEST(RungStackAgreement, EveryFaultIsReached) {
    using F = eval::RungFault;
    std::string twelveLoads, twelvePoints = "LD X000\n";
    for (int i = 0; i < 12; ++i) twelveLoads += "LD X000\n";
    for (int i = 0; i < 12; ++i) twelvePoints += "MPS\n";
    const struct {
        std::string text;
        F fault;
        int row;
    } cases[] = {
        {twelveLoads + "END", F::BlockStackFull, 11},
        {"AND X000\nEND", F::AndWithoutBlock, 0},
        {"LD X000\nOUT Y000\nOR X001\nEND", F::OrWithoutBlock, 2},
        {"LD X000\nANB\nEND", F::JoinWithoutTwoBlocks, 1},
        {"LD X000\nLD X001\nMPS\nEND", F::PointNeedsOneBlock, 2},
        {twelvePoints + "END", F::PointStackFull, 12},
        {"LD X000\nMRD\nEND", F::PointStackEmpty, 1},
        {"LD X000\nMPS\nLD X001\nMPP\nEND", F::PointWithBlockOpen, 3},
        {"OUT Y000\nEND", F::OutputWithoutCondition, 0},
        {"LD X000\nLD X001\nOUT Y000\nEND", F::OutputWithBlockOpen, 2},
        {"LD X000\nMPS\nOUT Y000\nLD X001\nOUT Y001\nEND", F::HeldWithPointOpen, 3},
        {"LD X000\nMPS\nOUT Y000\nEND", F::PointOpenAtBoundary, 3},
        {"LD X000\nEND", F::RungWithoutOutput, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto r = eval::runList(listing(c.text), [](const std::string&) { return true; });
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.problem, eval::rungFaultText(c.fault));
        EXPECT_EQ(r.errorRow, c.row);
    }
}

}  // namespace
}  // namespace rs::sim::test
