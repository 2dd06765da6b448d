#include <QApplication>
#include <QScreen>
#include <QStringList>

#include "app/qt/main_frame.h"
#include "app/qt/qt_message_sink.h"
#include "app/qt/startup.h"
#include "editor/qt/qt_clipboard.h"
#include "editor/qt/qt_dialog_provider.h"

// Starts Rungsmith with no project open. Only "--open FILE" (the desktop's
// open request) opens a project; a plain file name on the command line opens
// nothing. "--port PATH" adds a port to the transfer dialogs' port list.
// "--lang en|zh" picks the language (remembered); --help and --version answer
// without a window.
int main(int argc, char** argv) {
    if (rs::qt::answerInformationSwitches(argc, argv)) return 0;
    bool languageOk = true;
    const std::string language = rs::qt::languageSwitch(argc, argv, languageOk);
    if (!languageOk) return 2;
    rs::qt::reportMissingDisplayInOneLine();
    QApplication app(argc, argv);
    rs::qt::restoreMessageHandler();
    rs::qt::applyLanguage(language);
    QtMessageSink sink;
    rs::qt::QtDialogProvider dialogs;
    rs::qt::QtClipboardText clipboard;
    CMainFrame frame(sink, dialogs, clipboard);
    sink.setParentWidget(&frame);
    dialogs.setParentWidget(&frame);
    // Maximized; without a window manager to do it, the window takes the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame.setGeometry(screen->availableGeometry());
    frame.showMaximized();

    const QStringList args = QApplication::arguments();
    const qsizetype at = args.indexOf("--open");
    if (at > 0 && at + 1 < args.size()) frame.openProjectFile(args.at(at + 1));
    // "--port PATH" (repeatable) offers a port the system does not list, such
    // as a pseudo-terminal, in the transfer dialogs.
    std::vector<std::string> ports;
    for (qsizetype i = 1; i + 1 < args.size(); ++i)
        if (args.at(i) == "--port") ports.push_back(args.at(++i).toStdString());
    if (!ports.empty()) {
        rs::CommEnvironment comm;
        comm.probe = [ports](const std::vector<std::string>& extra) {
            std::vector<std::string> paths = ports;
            paths.insert(paths.end(), extra.begin(), extra.end());
            return rs::availablePorts(paths);
        };
        frame.setCommEnvironment(std::move(comm));
    }
    return app.exec();
}
