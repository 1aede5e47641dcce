#include "platform/qt/file_icons.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

// A file dialog names types from file names only: in /proc, reading a file's first bytes can
// block the program for good. A PNG picture without a suffix shows how Qt's own provider
// reads contents and ours does not.
TEST(FileDialogIcons, TypesComeFromNamesNeverFromContents) {
    ensureTestApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    struct {
        const char* name;
        QByteArray content;
        bool namedPng;
    } const cases[] = {
        {"picture", png, false},
        {"config.dat", png, false},
        {"picture.png", "plain text", true},
    };
    QFileIconProvider qtOwn;
    NameOnlyFileIcons icons;
    for (const auto& c : cases) {
        QFile f(dir.filePath(c.name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.content);
        f.close();
        const QFileInfo info(f.fileName());
        EXPECT_EQ(icons.type(info).contains("PNG"), c.namedPng) << c.name;
        EXPECT_FALSE(icons.icon(info).isNull()) << c.name;
    }
    EXPECT_TRUE(qtOwn.type(QFileInfo(dir.filePath("picture"))).contains("PNG"));
    EXPECT_EQ(icons.type(QFileInfo(dir.path())), qtOwn.type(QFileInfo(dir.path())));
}

}  // namespace
}  // namespace tobrisk
