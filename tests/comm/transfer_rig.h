#pragma once

#include <memory>
#include <string>
#include <vector>

#include "comm/fake_link.h"
#include "comm/transfer.h"
#include "tests/comm/encode_helpers.h"
#include "tests/support/recording_sink.h"

namespace rs::test {

struct RecordingObserver : TransferObserver {
    void downloadEnabled(bool e) override { enabled.push_back(e); }
    void progressRange(int m) override { range = m; }
    void progress(int v) override { values.push_back(v); }
    void finished(TransferOutcome o) override { outcomes.push_back(o); }
    std::vector<bool> enabled;
    int range = -1;
    std::vector<int> values;
    std::vector<TransferOutcome> outcomes;
};

// A transfer over the in-memory link, with both timers fired by hand.
struct TransferRig {
    TransferRig(bool mode2, const Rows& rows) {
        app.setMode2(mode2);
        for (size_t i = 0; i < rows.size(); ++i) {
            app.table->m_Instruction[i] = rows[i].first;
            app.table->m_Parameter[i] = rows[i].second;
        }
        transfer = std::make_unique<Transfer>(app, link, retry, wait, sink, &observer);
    }
    // The frame dialogue alone; the read-back is driven by its own tests.
    void download() { transfer->download({"ttyS0", SerialSettings{}, {}, {}, false}); }
    std::string lastFrame() const {
        if (link.written.empty()) return {};
        return std::string(link.written.back().begin(), link.written.back().end());
    }
    size_t frames() const { return link.written.size(); }
    // The messages shown, as "caption: text".
    std::vector<std::string> shown() const {
        std::vector<std::string> out;
        for (const auto& s : sink.shown) out.push_back(s.caption + ": " + s.text);
        return out;
    }

    AppStore app;
    FakeSerialLink link;
    ManualTimer retry;
    ManualTimer wait;
    RecordingSink sink;
    RecordingObserver observer;
    std::unique_ptr<Transfer> transfer;
};

inline std::string bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s += static_cast<char>(b);
    return s;
}

}  // namespace rs::test
