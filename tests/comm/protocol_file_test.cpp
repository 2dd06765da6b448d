#include "comm/protocol_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "comm/comm_choices.h"

namespace rs {
namespace {

std::string tempFile(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / "rungsmith-comm-tests";
    std::filesystem::create_directories(dir);
    const auto path = dir / name;
    std::filesystem::remove(path);
    return path.string();
}

std::string content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(ProtocolFile, AMissingFileIsCreatedEmptyAndSelectsNothing) {
    const std::string path = tempFile("missing.txt");
    EXPECT_FALSE(readProtocolFile(path));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(content(path), "");
}

TEST(ProtocolFile, WritesFiveDigitsWithoutLineEndAndReadsThemBack) {
    const std::string path = tempFile("ini.txt");
    std::ofstream(path) << "old content\nmore\n";
    ASSERT_TRUE(writeProtocolFile(path, {0, 0, 1, 0, 0}));
    EXPECT_EQ(content(path), "00100");
    EXPECT_EQ(readProtocolFile(path), (ProtocolIndexes{0, 0, 1, 0, 0}));
    // Eleven ports found: the port index takes two digits and still reads back.
    ASSERT_TRUE(writeProtocolFile(path, {12, 1, 2, 1, 1}));
    EXPECT_EQ(content(path), "121211");
    EXPECT_EQ(readProtocolFile(path), (ProtocolIndexes{12, 1, 2, 1, 1}));
}

TEST(ProtocolFile, TheLastLineOfDigitsWins) {
    const std::string path = tempFile("lines.txt");
    std::ofstream(path) << "10100\nnot digits\n21011 trailing\n12\n";
    EXPECT_EQ(readProtocolFile(path), (ProtocolIndexes{2, 1, 0, 1, 1}));
}

TEST(ProtocolFile, SettingsFromIndexes) {
    EXPECT_EQ(settingsText(settingsFromIndexes({0, 0, 1, 0, 0})), "9600,E,7,1");
    EXPECT_EQ(settingsText(settingsFromIndexes({0, 1, 0, 1, 1})), "19200,O,8,2");
    EXPECT_EQ(settingsText(settingsFromIndexes({0, 0, 2, 0, 0})), "9600,N,7,1");
}

TEST(ProtocolFile, APortPathLineAfterTheIndexes) {
    const std::string path = tempFile("path.txt");
    ASSERT_TRUE(writeProtocolFile(path, {1, 0, 1, 0, 0}));
    EXPECT_FALSE(readProtocolPortPath(path));
    ASSERT_TRUE(appendProtocolPortPath(path, "/dev/serial/by-id/usb-FTDI_x-if00-port0"));
    EXPECT_EQ(content(path), "10100\nport=/dev/serial/by-id/usb-FTDI_x-if00-port0");
    EXPECT_EQ(readProtocolFile(path), (ProtocolIndexes{1, 0, 1, 0, 0}));
    EXPECT_EQ(readProtocolPortPath(path), "/dev/serial/by-id/usb-FTDI_x-if00-port0");
    // A line end inside a path would break the file: refused.
    EXPECT_FALSE(appendProtocolPortPath(path, "/tmp/a\n00000"));
    EXPECT_FALSE(appendProtocolPortPath(path, ""));
    // Rewriting the indexes drops the path; the last path line wins.
    ASSERT_TRUE(writeProtocolFile(path, {0, 0, 1, 0, 0}));
    EXPECT_FALSE(readProtocolPortPath(path));
    std::ofstream(path) << "00100\r\nport=/tmp/a\r\nport=\r\nport=/tmp/b\r\n";
    EXPECT_EQ(readProtocolPortPath(path), "/tmp/b");
    EXPECT_EQ(readProtocolFile(path), (ProtocolIndexes{0, 0, 1, 0, 0}));
}

TEST(CommChoices, ProgressStaysWithinTheBar) {
    const std::pair<std::pair<int, int>, int> cases[] = {
        {{0, 10}, 0},   {{5, 10}, 5},  {{10, 10}, 10}, {{11, 10}, 10},
        {{64, 40}, 40}, {{-3, 10}, 0}, {{3, -1}, 0}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(boundedProgress(in.first, in.second), out) << in.first << "/" << in.second;
}

}  // namespace
}  // namespace rs
