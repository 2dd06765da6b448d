#pragma once

namespace rs::qt {

// Installs the English translation of the system's texts (built into the
// program from rungsmith_en.ts) when `english`, and removes it otherwise.
// False when the translation could not be loaded.
bool installEnglish(bool english);

}  // namespace rs::qt
