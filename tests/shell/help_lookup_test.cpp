// The help command with and without an application for the help file, and where it looks.
#include "shell/help_lookup.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/fakes.h"

namespace tobrisk {
namespace {

TEST(HelpLookup, FoldersAreBesideTheProgramThenTheInstallsDataFolder) {
    const struct {
        const char* program;
        std::vector<std::string> folders;
    } cases[] = {
        {"/usr/bin/", {"/usr/bin/", "/usr/share/tobrisk/"}},
        {"/home/ana/.local/bin", {"/home/ana/.local/bin/", "/home/ana/.local/share/tobrisk/"}},
        {"/work/build/shell/", {"/work/build/shell/", "/work/build/share/tobrisk/"}},
        {"C:\\Tobrisk\\", {"C:/Tobrisk/", "C:/share/tobrisk/"}},
        {"/", {"/", "/share/tobrisk/"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        EXPECT_EQ(helpFolders(c.program), c.folders);
    }
}

class HelpCommandTest : public ::testing::Test {
  protected:
    void run(const std::string& programFolder = "/usr/bin/") {
        openHelp(programFolder, launcher, dialogs,
                 [this](const std::string& p) { return files.count(p) > 0; });
    }
    std::string message() const {
        return dialogs.messages.empty() ? "" : dialogs.messages.back().text;
    }

    std::set<std::string> files;
    FakeLauncher launcher;
    FakeDialogs dialogs;
};

TEST_F(HelpCommandTest, WithAnApplicationForTheHelpFileItOpensTheHelpFile) {
    launcher.handlers = {kHelpFileMime};
    files = {"/usr/bin/Tbhelp.chm", "/usr/share/tobrisk/Tbhelp.chm",
             "/usr/share/tobrisk/help/index.html"};
    run();
    EXPECT_EQ(launcher.documents, std::vector<std::string>{"/usr/bin/Tbhelp.chm"});
    EXPECT_TRUE(launcher.pages.empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(HelpCommandTest, WithoutOneTheManualOpensInTheBrowser) {
    files = {"/usr/share/tobrisk/Tbhelp.chm", "/usr/share/tobrisk/help/index.html"};
    run();
    EXPECT_TRUE(launcher.documents.empty());
    EXPECT_EQ(launcher.pages, std::vector<std::string>{"/usr/share/tobrisk/help/index.html"});
    EXPECT_TRUE(dialogs.messages.empty());

    // The build tree: both beside the program.
    launcher.pages.clear();
    files = {"/b/shell/Tbhelp.chm", "/b/shell/help/index.html"};
    run("/b/shell/");
    EXPECT_EQ(launcher.pages, std::vector<std::string>{"/b/shell/help/index.html"});
}

TEST_F(HelpCommandTest, AnApplicationThatDoesNotStartFallsBackToTheManual) {
    launcher.handlers = {kHelpFileMime};
    launcher.documentsOpen = false;
    files = {"/usr/share/tobrisk/Tbhelp.chm", "/usr/share/tobrisk/help/index.html"};
    run();
    EXPECT_EQ(launcher.documents.size(), 1u);
    EXPECT_EQ(launcher.pages, std::vector<std::string>{"/usr/share/tobrisk/help/index.html"});
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(HelpCommandTest, WhatCannotBeOpenedIsReported) {
    const struct {
        std::set<std::string> files;
        bool handler;
        bool browser;
        const char* message;
    } cases[] = {
        {{},
         false,
         true,
         "The help was not found: neither Tbhelp.chm nor help/index.html is in /usr/bin/ or "
         "/usr/share/tobrisk/."},
        {{"/usr/bin/Tbhelp.chm"},
         false,
         true,
         "No application is installed to read the help file /usr/bin/Tbhelp.chm, and its HTML "
         "manual (help/index.html) was not found in /usr/bin/ or /usr/share/tobrisk/."},
        {{"/usr/share/tobrisk/help/index.html"},
         false,
         false,
         "The manual /usr/share/tobrisk/help/index.html could not be opened: no web browser "
         "started."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        dialogs.messages.clear();
        files = c.files;
        launcher.handlers.clear();
        if (c.handler) launcher.handlers.insert(kHelpFileMime);
        launcher.browserOpens = c.browser;
        run();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(message(), c.message);
        EXPECT_EQ(dialogs.messages.back().caption, "Tobrisk");
    }
}

TEST(MimeList, NamesAHandlerOutsideTheRemovedGroup) {
    const std::string type = "application/vnd.ms-htmlhelp";
    const struct {
        const char* text;
        bool named;
    } cases[] = {
        {"", false},
        {"[Default Applications]\napplication/vnd.ms-htmlhelp=xchm.desktop\n", true},
        {"[MIME Cache]\napplication/pdf=evince.desktop;\napplication/vnd.ms-htmlhelp=kchm.desktop;"
         "\r\n",
         true},
        {"[Added Associations]\napplication/vnd.ms-htmlhelp=\n", false},
        {"[Added Associations]\napplication/vnd.ms-htmlhelp= ;\n", false},
        {"[Removed Associations]\napplication/vnd.ms-htmlhelp=xchm.desktop\n", false},
        {"[Default Applications]\napplication/vnd.ms-htmlhelpx=a.desktop\n", false},
        {"# application/vnd.ms-htmlhelp=a.desktop\n", false},
        {"[Removed Associations]\nx=y\n[Default Applications]\napplication/vnd.ms-htmlhelp=a\n",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(mimeListNamesHandler(c.text, type), c.named);
    }
}

}  // namespace
}  // namespace tobrisk
