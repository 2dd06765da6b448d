#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "core/program_dir.h"
#include "core/session.h"
#include "tests/support/recording_sink.h"

namespace rs::test {

// The range file shipped with the program (copied beside every test binary).
inline std::string shippedRangeFile() {
    return defaultRangeFilePath();
}

// A fresh application store, view and recording sink, with the shipped range
// file unless another path is given.
struct TestSession {
    explicit TestSession(std::string rangePath = shippedRangeFile())
        : ranges(std::move(rangePath)), session(app, view, sink, ranges) {
        session.startView();
    }
    AppStore app;
    ViewState view;
    RecordingSink sink;
    RangeFile ranges;
    Session session;
};

// A range file with the given content in a fresh temporary directory.
inline std::string writeTempRangeFile(const std::string& name, const std::string& content) {
    const auto dir = std::filesystem::temp_directory_path() / "rungsmith-tests";
    std::filesystem::create_directories(dir);
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
    return path.string();
}

}  // namespace rs::test
