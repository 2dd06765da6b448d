#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/model/examples_folder.h"
#include "app/model/project_names.h"
#include "app/model/recent_files.h"

using namespace rs::shell;

TEST(RecentFiles, MostRecentFirstAtMostFiveEachOnce) {
    RecentFiles r({"/a.epj", "", "/b.epj", "/a.epj"});
    EXPECT_EQ(r.paths(), (std::vector<std::string>{"/a.epj", "/b.epj"}));
    for (const char* p : {"/1.epj", "/2.epj", "/3.epj", "/4.epj"}) r.add(p);
    EXPECT_EQ(r.paths(),
              (std::vector<std::string>{"/4.epj", "/3.epj", "/2.epj", "/1.epj", "/a.epj"}));
    r.add("/2.epj");
    EXPECT_EQ(r.paths().front(), "/2.epj");
    EXPECT_EQ(r.paths().size(), 5u);
    r.add("/new.epj");
    EXPECT_EQ(r.paths().size(), 5u);
    EXPECT_EQ(r.paths().back(), "/1.epj");  // "/a.epj" fell off
}

TEST(ProjectNames, CaptionsAndLocks) {
    EXPECT_EQ(captionFor("plant", true), "Rungsmith - [plant]");
    EXPECT_EQ(captionFor("plant", false), "Rungsmith - plant");
    EXPECT_EQ(projectShownName("plant.epj"), "plant");
    EXPECT_EQ(projectShownName("plant.epj.bak"), "plant.epj");
    EXPECT_EQ(projectShownName("plant.txt"), "plant.txt");
    EXPECT_EQ(saveChangesQuestion("Rungsmith1"), "Save changes to Rungsmith1?");
}

TEST(ProjectNames, LockFollowsWhereTheFileReallyIs) {
    namespace fs = std::filesystem;
    char pattern[] = "/tmp/rungsmith-lock-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const fs::path root = pattern;
    fs::create_directories(root / "a");
    fs::create_directories(root / "b");
    std::ofstream(root / "a/plant.epj") << "x";
    std::ofstream(root / "b/plant.epj") << "y";
    fs::create_symlink(root / "a/plant.epj", root / "link.epj");
    fs::create_directory_symlink(root / "a", root / "folder");
    const std::string a = (root / "a/plant.epj").string();
    struct Case {
        std::string path;
        bool same;  // same lock as a
    } cases[] = {
        {a, true},
        {(root / "link.epj").string(), true},            // the file through a link
        {(root / "folder/plant.epj").string(), true},    // its folder through a link
        {(root / "b/../a/./plant.epj").string(), true},  // another spelling
        {(root / "b/plant.epj").string(), false},        // same name, other folder
        {(root / "a/plant2.epj").string(), false},       // not there yet
    };
    for (const Case& c : cases)
        EXPECT_EQ(projectLockName(c.path) == projectLockName(a), c.same) << c.path;
    // A save puts a new file in the old one's place: the lock stays.
    const std::string before = projectLockName(a);
    fs::rename(root / "b/plant.epj", root / "a/plant.epj");
    EXPECT_EQ(projectLockName(a), before);
    EXPECT_EQ(projectLockName(a).rfind("rungsmith-", 0), 0u);
    fs::remove_all(root);
}

// Beside the program in a build, else where the package puts it from
// lib/rungsmith; nothing when neither exists.
TEST(ExamplesFolder, BesideTheProgramThenThePackagesDocumentation) {
    namespace fs = std::filesystem;
    const fs::path root =
        fs::temp_directory_path() / ("rungsmith-examples-" + std::to_string(::getpid()));
    const fs::path program = root / "usr/lib/rungsmith";
    fs::create_directories(program);
    EXPECT_EQ(examplesFolder(program.string() + "/"), "");
    fs::create_directories(root / "usr/share/doc/rungsmith/examples");
    EXPECT_EQ(examplesFolder(program.string() + "/"),
              (root / "usr/share/doc/rungsmith/examples").string());
    fs::create_directories(program / "examples");
    EXPECT_EQ(examplesFolder(program.string() + "/"), (program / "examples").string());
    fs::remove_all(root);
}
