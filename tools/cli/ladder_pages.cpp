#include "tools/cli/ladder_pages.h"

namespace rs::cli {

LadderPageWriter& ladderPageWriter() {
    static LadderPageWriter writer = nullptr;
    return writer;
}

}  // namespace rs::cli
