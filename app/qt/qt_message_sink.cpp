#include "app/qt/qt_message_sink.h"

#include <QMessageBox>

#include "translations/system_text.h"

namespace {

QMessageBox::Icon toQt(rs::MessageIcon icon) {
    switch (icon) {
        case rs::MessageIcon::Information:
            return QMessageBox::Information;
        case rs::MessageIcon::Question:
            return QMessageBox::Question;
        case rs::MessageIcon::Warning:
            return QMessageBox::Warning;
        case rs::MessageIcon::Critical:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQt(rs::MessageAnswer a) {
    switch (a) {
        case rs::MessageAnswer::Ok:
            return QMessageBox::Ok;
        case rs::MessageAnswer::Cancel:
            return QMessageBox::Cancel;
        case rs::MessageAnswer::Yes:
            return QMessageBox::Yes;
        case rs::MessageAnswer::No:
            return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

QMessageBox::StandardButtons toQt(rs::MessageButtons b) {
    switch (b) {
        case rs::MessageButtons::Ok:
            return QMessageBox::Ok;
        case rs::MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case rs::MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case rs::MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

}  // namespace

void QtMessageSink::inform(const std::string& text, const std::string& caption,
                           rs::MessageIcon icon) {
    QMessageBox box(toQt(icon), rs::qt::sysText(caption), rs::qt::sysText(text), QMessageBox::Ok,
                    m_parent);
    box.exec();
}

rs::MessageAnswer QtMessageSink::ask(const std::string& text, const std::string& caption,
                                     rs::MessageButtons buttons, rs::MessageAnswer defaultAnswer,
                                     rs::MessageIcon icon) {
    QMessageBox box(toQt(icon), rs::qt::sysText(caption), rs::qt::sysText(text), toQt(buttons),
                    m_parent);
    box.setDefaultButton(toQt(defaultAnswer));
    switch (box.exec()) {
        case QMessageBox::Ok:
            return rs::MessageAnswer::Ok;
        case QMessageBox::Yes:
            return rs::MessageAnswer::Yes;
        case QMessageBox::No:
            return rs::MessageAnswer::No;
        default:
            return rs::MessageAnswer::Cancel;
    }
}
