#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/session.h"

namespace rs::search {

// How a place uses a device.
enum class DeviceUse { Contact, Coil, Set, Reset, Operand };
const char* useText(DeviceUse use);

struct DevicePlace {
    bool inList = false;
    int row = -1;       // ladder row or list line
    int col = -1;       // ladder column
    int64_t step = -1;  // list step number
    DeviceUse use = DeviceUse::Operand;
};

// Where a place is, as the cross reference shows it: "step 12" in the
// list, "row 3, column 2" on the ladder.
std::string placeText(const DevicePlace& place);

struct DeviceUses {
    std::string device;  // as the program writes it (the first place's form)
    std::vector<DevicePlace> places;
    // A bit device driven by OUT in more than one place: only the last OUT
    // of a scan decides it.
    bool doubleCoil = false;
};

// Every device of the presentation the view shows (the ladder cells, or the
// list lines with their step numbers), sorted by device, each with its places
// in reading order. K and H constants are not devices.
std::vector<DeviceUses> crossReference(const Session& s);

}  // namespace rs::search
