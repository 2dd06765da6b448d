#include "app/model/watch_list.h"

#include <algorithm>

#include "core/cell.h"
#include "core/char_class.h"
#include "core/device/device_ref.h"
#include "core/limits.h"
#include "core/program/typed_row.h"

namespace rs::shell {

bool WatchList::add(const std::string& device, std::string& problem) {
    auto watch = sim::makeWatch(upperText(device), problem);
    if (!watch) return false;
    // Named as the program writes it, so X0 and X000 are one line.
    watch->name = device::deviceText(watch->value.letter, watch->value.number);
    const std::string& name = watch->name;
    if (std::any_of(m_watches.begin(), m_watches.end(),
                    [&](const sim::Watch& w) { return w.name == name; })) {
        problem = name + " is watched already";
        return false;
    }
    if (m_watches.size() >= static_cast<size_t>(kMaxWatches)) {
        problem = "The watch window holds at most " + std::to_string(kMaxWatches) + " devices";
        return false;
    }
    m_watches.push_back(*watch);
    m_history.setWatches(m_watches);
    return true;
}

void WatchList::remove(size_t index) {
    if (index >= m_watches.size()) return;
    m_watches.erase(m_watches.begin() + static_cast<std::ptrdiff_t>(index));
    m_history.setWatches(m_watches);
}

void WatchList::sampled(const sim::Engine& engine) {
    if (engine.scans() == 1) m_history.clear();
    m_history.sample(engine.clockMs(), engine);
}

std::vector<WatchRow> WatchList::rows(const sim::Engine* engine) const {
    std::vector<WatchRow> rows;
    for (const sim::Watch& w : m_watches) {
        WatchRow row{w.name, {}, w.value.kind == sim::Operand::Kind::Bit, false};
        if (engine) {
            row.value = sim::watchValue(*engine, w);
            row.forced = w.value.letter == 'X' && engine->read(w.value) != 0;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::optional<sim::SetEvent> WatchList::edit(size_t index, const std::string& typed,
                                             const sim::Engine& engine,
                                             std::string& problem) const {
    if (index >= m_watches.size()) return std::nullopt;
    const sim::Watch& w = m_watches[index];
    if (!sim::settable(w, problem)) return std::nullopt;
    if (w.value.kind == sim::Operand::Kind::Bit)
        return sim::SetEvent{engine.clockMs(), w, engine.read(w.value) ? 0 : 1};
    const size_t start = typed.find_first_not_of(' ');
    const size_t end = typed.find_last_not_of(' ');
    const std::string number =
        start == std::string::npos ? "" : typed.substr(start, end - start + 1);
    const auto value = sim::parseSetValue(w, number, problem);
    if (!value) return std::nullopt;
    return sim::SetEvent{engine.clockMs(), w, *value};
}

}  // namespace rs::shell
