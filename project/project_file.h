#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/records.h"

namespace rs {

// The record class names as a project file spells them.
namespace record_class {
constexpr const char* kFunNo = "CFunNo";
constexpr const char* kInstruction = "CInstruction";
constexpr const char* kParameter = "CParameter1";
constexpr const char* kFunStep = "CFunStep";
constexpr const char* kProtocol = "CProtocol";
}  // namespace record_class

// Largest project file the loader reads. A full program of 8000 rows with
// operands of the longest form stays below 1 MiB.
constexpr size_t kMaxProjectFileBytes = 64u << 20;

// The bytes of a project file: the function-number, instruction, operand,
// step-count and mode tables, in that order.
std::string encodeProject(const RecordLists& records);

// What a project file holds. The mode table is optional on reading.
struct DecodedProject {
    RecordLists records;
    bool hasModeTable = false;
};

// Reads the five tables. A file that the program could not have written is
// refused (nothing returned): tables that end early, unknown classes or
// schemas, null elements, references to earlier elements, a record in another
// class's table, counts the file cannot hold, more than 8000 rows, lists of
// different lengths, an empty mode table, bytes after the mode table. Nothing
// is allocated beyond what the file's own bytes account for.
std::optional<DecodedProject> decodeProject(std::string_view bytes);

// Whether the text of a mode record selects mode 2: it begins with a non-zero
// decimal integer (leading white space and a sign allowed).
bool modeTextIsMode2(std::string_view text);

}  // namespace rs
