#pragma once

#include <string>

#include "core/session.h"
#include "project/device_comments.h"

namespace rs::cli {

// Writes the printed pages of the ladder a session shows, with the project's
// device comments, to a PDF file and/or PNG files (empty path: not wanted);
// returns an exit status. Provided by the part of the program built with the
// window toolkit; null without it.
using LadderPageWriter = int (*)(Session& s, const std::string& title,
                                 const DeviceComments& comments, const std::string& pdf,
                                 const std::string& png);
LadderPageWriter& ladderPageWriter();

}  // namespace rs::cli
