#include "editor/search/cross_reference.h"

#include <algorithm>
#include <map>

#include "core/char_class.h"
#include "core/instructions/instruction.h"
#include "core/list_steps.h"
#include "core/program/typed_row.h"
#include "editor/search/device_words.h"

namespace rs::search {

namespace {

bool isBitDevice(const std::string& key) {
    return !key.empty() && (key[0] == 'Y' || key[0] == 'M' || key[0] == 'S') && key.size() > 1 &&
           isDigit(key[1]);
}

class Collector {
  public:
    // The operand words of a place: the first takes `firstUse`, the rest are operands.
    void add(const std::vector<std::string>& ws, size_t from, DeviceUse firstUse, DevicePlace at) {
        for (size_t i = from; i < ws.size(); ++i) {
            if (isConstant(ws[i])) continue;
            const auto key = deviceKey(ws[i]);
            if (!key) continue;
            at.use = i == from ? firstUse : DeviceUse::Operand;
            auto [it, fresh] = m_uses.try_emplace(*key);
            if (fresh) it->second.device = ws[i];
            it->second.places.push_back(at);
        }
    }
    std::vector<DeviceUses> sorted() {
        std::vector<std::pair<std::string, DeviceUses>> all(m_uses.begin(), m_uses.end());
        std::sort(all.begin(), all.end(),
                  [](const auto& a, const auto& b) { return deviceKeyLess(a.first, b.first); });
        std::vector<DeviceUses> out;
        for (auto& [key, uses] : all) {
            const auto coils =
                std::count_if(uses.places.begin(), uses.places.end(),
                              [](const DevicePlace& p) { return p.use == DeviceUse::Coil; });
            uses.doubleCoil = isBitDevice(key) && coils > 1;
            out.push_back(std::move(uses));
        }
        return out;
    }

  private:
    std::map<std::string, DeviceUses> m_uses;
};

DeviceUse firstUseOf(const instr::Instruction* i) {
    if (i == nullptr) return DeviceUse::Operand;
    if (i->kind == instr::Kind::Out) return DeviceUse::Coil;
    if (i->kind == instr::Kind::Set) return DeviceUse::Set;
    if (i->kind == instr::Kind::Rst) return DeviceUse::Reset;
    if (i->isContact()) return DeviceUse::Contact;
    return DeviceUse::Operand;
}

}  // namespace

const char* useText(DeviceUse use) {
    switch (use) {
        case DeviceUse::Contact:
            return "contact";
        case DeviceUse::Coil:
            return "coil";
        case DeviceUse::Set:
            return "SET";
        case DeviceUse::Reset:
            return "RST";
        case DeviceUse::Operand:
            return "operand";
    }
    return "";
}

std::string placeText(const DevicePlace& p) {
    if (p.inList) return "step " + std::to_string(p.step);
    return "row " + std::to_string(p.row) + ", column " + std::to_string(p.col);
}

std::vector<DeviceUses> crossReference(const Session& s) {
    Collector c;
    if (s.view.m_bListMode) {
        const InstructionTable& t = *s.app.table;
        const auto steps = listStepNumbers(t, s.view.records.m_InstructionList.size());
        for (int l = 0; l < static_cast<int>(steps.size()); ++l) {
            DevicePlace at;
            at.inList = true;
            at.row = l;
            at.step = steps[l];
            const TypedRow row = typeRow(t.m_Instruction[l], t.m_Parameter[l]);
            c.add(row.words, 0, firstUseOf(row.instruction), at);
        }
        return c.sorted();
    }
    const LadderGrid& g = *s.view.grid;
    for (int r = 0; r <= g.m_nLastRow && r < kGridRows; ++r) {
        for (int col = 1; col < kGridCols; ++col) {
            const int32_t kind = g.kind(r, col);
            if (kind == Empty || kind == HorizontalLine) continue;
            DevicePlace at;
            at.row = r;
            at.col = col;
            const std::vector<std::string> ws = words(g.text(r, col));
            if (kind == Coil) {
                c.add(ws, 0, DeviceUse::Coil, at);
            } else if (kind == AppInstruction) {
                if (!ws.empty()) c.add(ws, 1, firstUseOf(instr::find(ws.front())), at);
            } else {
                c.add(ws, 0, DeviceUse::Contact, at);
            }
        }
    }
    return c.sorted();
}

}  // namespace rs::search
