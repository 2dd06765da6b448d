#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>

#include "app/qt/child_frame.h"
#include "app/qt/main_frame.h"
#include "project/project_file.h"
#include "tests/editor/scripted_dialogs.h"
#include "tests/support/recording_sink.h"

namespace {

// Notes the first paint of a widget.
struct PaintWatch : QObject {
    bool painted = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted = true;
        return false;
    }
};

// A project of 8000 rows: LD and OUT pairs, END last.
QString writeBigProject(const QTemporaryDir& dir) {
    rs::RecordLists r;
    for (int i = 0; i < rs::kListRows; ++i) {
        const bool end = i == rs::kListRows - 1;
        const std::string m = end ? "END" : (i % 2 ? "OUT" : "LD");
        const std::string op = end ? "" : (i % 2 ? "Y" : "X") + std::to_string(i % 8) + "00";
        r.m_FunNoList.push_back({i, 0});
        r.m_InstructionList.push_back({i, m});
        r.m_ParameterList.push_back({i, op});
        r.m_FunStepList.push_back({i, 1});
    }
    r.m_ProtocolList.push_back({0, "1"});
    const QString path = dir.path() + "/big.epj";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    const std::string bytes = rs::encodeProject(r);
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

// From creating the main window to the first paint of the project's view,
// with an 8000-row project opened; the counter holds the peak resident size.
void BM_StartupToFirstPaintWith8000Rows(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = writeBigProject(dir);
    rs::test::RecordingSink sink;
    rs::test::ScriptedDialogs dialogs;
    rs::test::MemoryClipboard clipboard;
    for (auto _ : state) {
        CMainFrame frame(sink, dialogs, clipboard);
        frame.resize(1400, 900);
        frame.show();
        frame.openProjectFile(path);
        PaintWatch watch;
        frame.project()->view()->viewport()->installEventFilter(&watch);
        while (!watch.painted) QApplication::processEvents(QEventLoop::AllEvents, 5);
        state.PauseTiming();
        frame.project()->closeNow();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_StartupToFirstPaintWith8000Rows)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
