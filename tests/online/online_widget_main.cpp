#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "translations/language.h"

// The dialog tests run on the offscreen platform unless a display is asked
// for, in a private working folder (the settings file is read from there).
// The pictures kept for the documentation (RUNGSMITH_SCREENSHOTS) are taken
// in English, as the documentation is written.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!qEnvironmentVariableIsEmpty("RUNGSMITH_SCREENSHOTS")) rs::qt::installEnglish(true);
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
