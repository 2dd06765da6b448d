#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "comm/code_encoder.h"
#include "comm/qt/comm_environment.h"
#include "tests/comm/encode_helpers.h"
#include "tests/support/recording_sink.h"

namespace rs::test {

// A pseudo-terminal that stands for a serial port the system lists.
struct PtyPort {
    PtyPort() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master);
        unlockpt(master);
        path = ptsname(master);
    }
    ~PtyPort() { close(master); }
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;
    int master;
    std::string path;
};

// rungsmith-plcsim on a pseudo-terminal linked at a path, its program memory
// in a file.
struct Simulator {
    Simulator(const QString& link, bool mode2, const QStringList& extra = {})
        : link(link), memory(link + ".mem") {
        process.start(
            RUNGSMITH_PLCSIM,
            QStringList{"--mode", mode2 ? "2" : "1", "--link", link, "--memory", memory} + extra);
        started = QTest::qWaitFor(
            [&] { return QFileInfo::exists(link) && QFileInfo::exists(memory); }, 5000);
    }
    ~Simulator() {
        process.terminate();
        process.waitForFinished(3000);
    }
    // The program memory, up to and including END.
    std::vector<uint16_t> words() const {
        std::vector<uint16_t> out;
        std::ifstream in(memory.toStdString());
        std::string line;
        while (std::getline(in, line))
            if (!line.empty()) out.push_back(static_cast<uint16_t>(std::stoul(line, nullptr, 16)));
        return out;
    }
    QString link;
    QString memory;
    QProcess process;
    bool started = false;
};

// A program that uses sequence, timer, counter and application instructions.
inline Rows sampleProgram() {
    return {{"LD", "X000"},
            {"OR", "Y001"},
            {"ANI", "X017"},
            {"OUT", "Y001"},
            {"LD", "M10"},
            {"OUT", "T0 K50"},
            {"LD", "T0"},
            {"OUT", "C1 K5000"},
            {"MOV", "K4660 D10"},
            {"ADD", "D10 K1 D11"},
            {"CMP", "D11 K100 M20"},
            {"INC", "D0"},
            {"END", ""}};
}

// A long program: n pairs of contact and coil, then END.
inline Rows longProgram(int pairs) {
    Rows rows;
    for (int i = 0; i < pairs; ++i) {
        rows.push_back({"LD", "X00" + std::to_string(i % 8)});
        rows.push_back({"OUT", "Y00" + std::to_string(i % 8)});
    }
    rows.push_back({"END", ""});
    return rows;
}

// The settings file and the probed ports in a private folder, and an
// application store holding a converted program.
struct DialogFixture : ::testing::Test {
    DialogFixture() {
        env.protocolFile = (dir.path() + "/iniProtocol.txt").toStdString();
        env.probe = [this](const std::vector<std::string>& extra) {
            std::vector<std::string> ports = systemPorts;
            for (const auto& p : extra) ports.push_back(p);
            return ports;
        };
    }
    void load(const Rows& rows, bool mode2) {
        app.setMode2(mode2);
        for (size_t i = 0; i < rows.size(); ++i) {
            app.table->m_Instruction[i] = rows[i].first;
            app.table->m_Parameter[i] = rows[i].second;
        }
        app.m_bCompiled = true;
    }
    std::vector<uint16_t> encoded() const {
        CodeEncoder e(app.m_bMode2);
        if (e.encodeProgram(*app.table) != EncodeStatus::Ok) return {};
        return {e.code().begin(), e.code().begin() + e.codeEnd() + 1};
    }
    void writeSettings(const std::string& text) { std::ofstream(env.protocolFile) << text; }
    std::string settingsText() const {
        std::ifstream in(env.protocolFile, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    QString tempPath(const QString& name) const { return dir.path() + "/" + name; }

    QTemporaryDir dir;
    CommEnvironment env;
    std::vector<std::string> systemPorts;
    AppStore app;
    RecordingSink sink;
};

}  // namespace rs::test
