// The printed pages of `ladder --pdf / --png`, drawn without a window on the
// offscreen platform.
#include <QDate>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "app/qt/print_pages.h"
#include "tools/cli/cli_command.h"
#include "tools/cli/ladder_pages.h"

namespace rs::cli {
namespace {

int writePages(Session& s, const std::string& title, const DeviceComments& comments,
               const std::string& pdf, const std::string& png) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "rungsmith-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
    if (!QGuiApplication::instance()) app = std::make_unique<QGuiApplication>(argc, argv);

    const CPrintPages pages(s, QString::fromStdString(title),
                            QDate::currentDate().toString(Qt::ISODate), &comments);
    if (!pdf.empty()) {
        if (!pages.writePdf(QString::fromStdString(pdf))) {
            std::fprintf(stderr, "cannot write %s\n", pdf.c_str());
            return kExitRefused;
        }
        std::printf("%s\n", pdf.c_str());
    }
    if (!png.empty()) {
        const QStringList files = pages.writePng(QString::fromStdString(png));
        if (files.isEmpty()) {
            std::fprintf(stderr, "cannot write %s\n", png.c_str());
            return kExitRefused;
        }
        for (const QString& f : files) std::printf("%s\n", f.toLocal8Bit().constData());
    }
    return kExitOk;
}

const bool registered = (ladderPageWriter() = &writePages, true);

}  // namespace
}  // namespace rs::cli
