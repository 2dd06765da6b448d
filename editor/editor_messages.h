#pragma once

// Texts of the ladder editor's own refusals, shown byte for byte (the shared
// ones are in core/messages.h).
namespace rs::msg {

inline constexpr const char* kLadderEndCannotBeEdited = "The END instruction cannot be edited.";
inline constexpr const char* kCannotInsertColumn =
    "There is a ladder which cannot be insert a Col. ";

}  // namespace rs::msg
