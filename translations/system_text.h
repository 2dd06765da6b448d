#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>

namespace rs::qt {

// The translation context of every text of the system. The plain C++ layers
// hold the texts as the program has always shown them; the Qt edges show
// them through this, so an installed translation replaces them and without
// one they stay as they are.
inline constexpr const char* kTextContext = "Rungsmith";

inline QString sysText(const char* text) {
    return QCoreApplication::translate(kTextContext, text);
}
inline QString sysText(const std::string& text) {
    return sysText(text.c_str());
}

}  // namespace rs::qt
