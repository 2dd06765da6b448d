#include "editor/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace rs::qt {

std::string QtClipboardText::text() const {
    return QGuiApplication::clipboard()->text().toLatin1().toStdString();
}

void QtClipboardText::setText(const std::string& text) {
    QGuiApplication::clipboard()->setText(
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace rs::qt
