#include <QApplication>
#include <QStringList>

#include "app/qt/main_frame.h"
#include "app/qt/qt_message_sink.h"

// Starts Rungsmith with no project open. Only "--open FILE" (the desktop's
// open request) opens a project; a plain file name on the command line opens
// nothing.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtMessageSink sink;
    CMainFrame frame(sink);
    sink.setParentWidget(&frame);
    frame.showMaximized();

    const QStringList args = QApplication::arguments();
    const qsizetype at = args.indexOf("--open");
    if (at > 0 && at + 1 < args.size()) frame.openProjectFile(args.at(at + 1));
    return app.exec();
}
