// The toolkit-free pieces that the command line uses must give what the windows' Qt gives.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QCoreApplication>
#include <QStandardPaths>
#include <QString>
#include <string>

#include "platform/qt/text_encoding.h"
#include "platform/system_services.h"

namespace tobrisk {
namespace {

void appendUtf8(std::string& out, char32_t c) {
    const QString s = QString::fromUcs4(&c, 1);
    out += s.toUtf8().toStdString();
}

TEST(QtEquivalence, Utf8ToCodePageAsTheWindowsConvert) {
    std::string every;
    for (char32_t c = 1; c < 0x3000; ++c)
        if (c < 0xD800 || c > 0xDFFF) appendUtf8(every, c);
    appendUtf8(every, 0x1F600);
    const std::string mixed[] = {every,
                                 "x\u20ACy",
                                 "\u201C\u201D",
                                 std::string("a\xC3"),
                                 "\U0001F600!",
                                 "a\xFF"
                                 "b",
                                 "a\xE2\x82"
                                 "b",
                                 "\xC0\xAF",
                                 "\xED\xA0\x80",
                                 "\x80\x80x",
                                 "\xF4\x90\x80\x80"};
    for (const std::string& s : mixed) {
        const QString q = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
        EXPECT_EQ(utf8ToCp1252(s), fromQString(q));
    }
}

TEST(QtEquivalence, CodePageToUtf8AsTheWindowsConvert) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(cp1252ToUtf8(all), toQString(all).toUtf8().toStdString());
}

TEST(QtEquivalence, UserDataFolderIsQtsApplicationDataLocation) {
    int argc = 1;
    char name[] = "tests_platform_qt";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("Tobrisk");
    const char* old = getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    for (const char* xdg : {"", "/tmp/tobrisk-xdg"}) {
        if (*xdg)
            setenv("XDG_DATA_HOME", xdg, 1);
        else
            unsetenv("XDG_DATA_HOME");
        const QString qt = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        EXPECT_EQ(userDataFolder(), qt.toStdString() + "/") << xdg;
    }
    if (old)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace tobrisk
