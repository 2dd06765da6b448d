#include "translations/language.h"

#include <QCoreApplication>
#include <QTranslator>

namespace rs::qt {

bool installEnglish(bool english) {
    static QTranslator translator;
    QCoreApplication::removeTranslator(&translator);
    if (!english) return true;
    if (!translator.load(":/translations/rungsmith_en.qm")) return false;
    return QCoreApplication::installTranslator(&translator);
}

}  // namespace rs::qt
