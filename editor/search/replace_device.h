#pragma once

#include <string>

#include "core/session.h"

namespace rs::search {

struct ReplaceOutcome {
    enum Result {
        Replaced,  // every place now names the new device
        NotFound,  // the program does not use the device; nothing changed
        Invalid,   // one of the texts is not a device; nothing changed
        Refused,   // the line check refused the new device in a place (its
                   // message was shown); nothing changed
    };
    Result result = NotFound;
    int places = 0;  // ladder cells and list lines rewritten
};

// Renames a device everywhere in the program: in every ladder cell and every
// list line (table and records) that names it, in any form the line check
// accepts. Each rewritten cell and line must pass the line check as its entry
// would; the first refusal leaves the program as it was. On the ladder the
// rename is an edit like any other (the compiled flags are cleared).
ReplaceOutcome replaceDevice(Session& s, const std::string& from, const std::string& to);

}  // namespace rs::search
