#include "app/qt/startup.h"

#include <QSettings>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/model/language.h"
#include "app/qt/settings_store.h"
#include "translations/language.h"

namespace rs::qt {

namespace {

QtMessageHandler g_previous = nullptr;

void startupHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const bool platform = context.category && std::strncmp(context.category, "qt.qpa", 6) == 0;
    if (type == QtFatalMsg) {
        const char* display = std::getenv("DISPLAY");
        if (display && *display)
            std::fprintf(stderr, "rungsmith: cannot open a window on the display %s\n", display);
        else
            std::fputs("rungsmith: no display to open a window on (DISPLAY is not set)\n", stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (platform) return;
    if (g_previous) g_previous(type, context, text);
}

}  // namespace

bool answerInformationSwitches(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf(
                "rungsmith %s: draw a relay ladder, convert it to the controller's\n"
                "instruction list, save .epj projects and download them.\n\n"
                "usage: rungsmith [--open FILE] [--port PATH]... [--lang en|zh]\n"
                "       rungsmith --help | --version\n\n"
                "  --open FILE   start with that project open (a plain file name opens nothing)\n"
                "  --port PATH   offer PATH in the transfer dialogs' port list (repeatable),\n"
                "                such as the pseudo-terminal of rungsmith-plcsim\n"
                "  --lang en|zh  English or the described (Chinese) texts; remembered\n"
                "                (without it: English under an English locale, else Chinese)\n"
                "\n"
                "Without a display, QT_QPA_PLATFORM=offscreen runs the window unseen.\n",
                RUNGSMITH_VERSION);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("rungsmith %s\n", RUNGSMITH_VERSION);
            return true;
        }
    }
    return false;
}

std::string languageSwitch(int argc, char** argv, bool& ok) {
    ok = true;
    std::string value;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--lang") != 0) continue;
        value = i + 1 < argc ? argv[i + 1] : "";
        if (!rs::shell::languageFromName(value)) {
            std::fputs("rungsmith: --lang takes en or zh\n", stderr);
            ok = false;
        }
    }
    return value;
}

void applyLanguage(const std::string& languageSwitch) {
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    const char* key = "Settings/Language";
    if (!languageSwitch.empty()) settings.setValue(key, QString::fromStdString(languageSwitch));
    const std::string locale = rs::shell::messageLocale(
        std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    const auto language = rs::shell::chooseLanguage(
        languageSwitch, settings.value(key).toString().toStdString(), locale);
    installEnglish(language == rs::shell::Language::English);
}

void reportMissingDisplayInOneLine() {
    g_previous = qInstallMessageHandler(startupHandler);
}

void restoreMessageHandler() {
    qInstallMessageHandler(g_previous);
}

}  // namespace rs::qt
