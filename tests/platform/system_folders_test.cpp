#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/system_services.h"

namespace tobrisk {
namespace {

TEST(DataFolder, ProgramFolderWhenWritableUnlessInstalledBySystem) {
    struct {
        const char* program;
        bool writable;
        const char* expected;
    } const cases[] = {
        {"/home/ana/tobrisk/", true, "/home/ana/tobrisk/"},  // a portable copy
        {"/home/ana/tobrisk/", false, "/u/Tobrisk/"},
        {"/opt/tobrisk/", false, "/u/Tobrisk/"},
        {"/usr/bin/", true, "/u/Tobrisk/"},  // root may write /usr/bin; a package never does
        {"/usr/local/bin/", true, "/u/Tobrisk/"},
        {"/usr/bin/", false, "/u/Tobrisk/"},
        {"/usrdata/tobrisk/", true, "/usrdata/tobrisk/"},
        {"", true, "/u/Tobrisk/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseDataFolder(c.program, "/u/Tobrisk/", c.writable), c.expected)
            << c.program << " " << c.writable;
}

class EnvironmentGuard {
  public:
    explicit EnvironmentGuard(const char* name) : name_(name) {
        if (const char* v = getenv(name)) old_ = v;
    }
    ~EnvironmentGuard() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DataFolder, UserFolderFollowsTheBaseDirectoryRules) {
    EnvironmentGuard xdg("XDG_DATA_HOME");
    EnvironmentGuard home("HOME");
    setenv("HOME", "/home/ana", 1);
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(userDataFolder(), "/home/ana/.local/share/Tobrisk/");
    setenv("XDG_DATA_HOME", "/data/ana/", 1);
    EXPECT_EQ(userDataFolder(), "/data/ana/Tobrisk/");
    setenv("XDG_DATA_HOME", "relative/share", 1);
    EXPECT_EQ(userDataFolder(), "/home/ana/.local/share/Tobrisk/");
}

TEST(DataFolder, WritableMeansAFileCanBeMadeThere) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "tobrisk-writable-test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    EXPECT_TRUE(folderWritable(dir.string()));
    EXPECT_TRUE(fs::is_empty(dir));  // the probe is gone
    EXPECT_FALSE(folderWritable((dir / "missing").string()));
    fs::remove_all(dir);
}

TEST(DataFolder, ProgramFolderIsWhereThisTestRuns) {
    namespace fs = std::filesystem;
    const std::string folder = programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::exists(fs::path(folder) / "tests_platform"));
}

}  // namespace
}  // namespace tobrisk
