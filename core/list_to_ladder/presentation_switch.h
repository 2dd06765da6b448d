#pragma once

#include "core/session.h"

namespace rs::ladder {

// The checks that decide whether the program may be shown the other way
// round: an unconvertible or unconverted ladder, then every row of the list
// (NOP, RST of a data register in mode 1, PRR and PRW in mode 2, mnemonics the
// list cannot show). The first finding is reported; true when none.
bool switchChecksPass(Session& s);

// "Instruction list" (Alt+F1): after the checks, shows the list instead of the
// ladder or the ladder, rebuilt from the list, instead of the list. Returns
// whether the presentation changed; a list that cannot be placed keeps the
// list shown.
bool switchPresentation(Session& s);

}  // namespace rs::ladder
