#pragma once

#include <string>

namespace rs {

// X and Y addresses are written with three digits: at the first X of the
// operand, and then at the first Y, the part of up to four characters that
// starts there (cut at a blank) gets "0" inserted after the letter until it
// is four characters long. X1 becomes X001; X001 stays.
std::string completeXYAddresses(std::string operand);

}  // namespace rs
