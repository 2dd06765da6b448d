#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/qt/child_frame.h"
#include "app/qt/main_frame.h"
#include "project/project_file.h"
#include "tests/editor/scripted_dialogs.h"
#include "tests/support/recording_sink.h"

namespace rs::test {

// The real main window with a recording message sink, a scripted file chooser
// and an exit hook that records instead of ending the test.
struct FrameFixture : ::testing::Test {
    FrameFixture() {
        frame = std::make_unique<CMainFrame>(sink, dialogs, clipboard);
        frame->setFileChooser([this](bool saving, const QString& proposed) {
            chooserCalls.push_back({saving, proposed});
            if (chosen.empty()) return QString();
            QString path = chosen.front();
            chosen.pop_front();
            return path;
        });
        frame->setProcessExit([this](int code) { exitCodes.push_back(code); });
        frame->resize(1000, 700);
        frame->show();
        QApplication::processEvents();
    }
    ~FrameFixture() override {
        sink.answers.clear();
        if (frame->project()) frame->project()->closeNow();
        frame.reset();
        QApplication::processEvents();
    }

    CChildFrame* project() const { return frame->project(); }
    CCorvaneElectricPLCView* view() const { return project() ? project()->view() : nullptr; }
    Session& session() const { return project()->session(); }
    bool enabled(int command) const {
        const auto actions = frame->actionsFor(command);
        return !actions.empty() && actions.front()->isEnabled();
    }
    bool checked(int command) const {
        const auto actions = frame->actionsFor(command);
        return !actions.empty() && actions.front()->isChecked();
    }
    // Presses a key combination in the window as a user would.
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != frame.get())
            target = view() ? static_cast<QWidget*>(view()) : frame.get();
        QTest::keyClick(target, k, mods);
        QApplication::processEvents();
    }
    QString tempPath(const QString& name) const { return dir.path() + "/" + name; }
    // Writes a project file holding the given rows (mnemonic, operand, function
    // number, step count), END included, in mode 2.
    QString writeProject(const QString& name,
                         const std::vector<std::tuple<std::string, std::string, int, int>>& rows) {
        RecordLists r;
        int i = 0;
        for (const auto& [m, op, fun, step] : rows) {
            r.m_FunNoList.push_back({i, fun});
            r.m_InstructionList.push_back({i, m});
            r.m_ParameterList.push_back({i, op});
            r.m_FunStepList.push_back({i, step});
            ++i;
        }
        r.m_ProtocolList.push_back({0, "1"});
        const QString path = tempPath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        const std::string bytes = encodeProject(r);
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    QTemporaryDir dir;
    RecordingSink sink;
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    std::unique_ptr<CMainFrame> frame;
    struct ChooserCall {
        bool saving;
        QString proposed;
    };
    std::vector<ChooserCall> chooserCalls;
    std::deque<QString> chosen;
    std::vector<int> exitCodes;
};

}  // namespace rs::test
