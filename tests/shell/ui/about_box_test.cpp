#include "shell/ui/about_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

void app() {
    ensureTestApplication();
}

QString labelText(const AboutBox& box, const char* name) {
    auto* l = box.findChild<QLabel*>(QString::fromLatin1(name));
    return l ? l->text() : QStringLiteral("<missing>");
}

TEST(AboutBox, NamesTheProductAndItsVersion) {
    app();
    AboutBox box;
    EXPECT_EQ(box.objectName(), QStringLiteral("TAboutBox"));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About Tobrisk"));
    EXPECT_EQ(box.size(), QSize(319, 115));
    EXPECT_FALSE(box.isModal());
    EXPECT_EQ(labelText(box, "ProductName"), QStringLiteral("Tobrisk"));
    EXPECT_EQ(labelText(box, "Label1"), QStringLiteral("Version 2.3"));
    EXPECT_EQ(labelText(box, "Version"), QStringLiteral("February 1, 2002"));
    EXPECT_TRUE(box.findChild<QLabel*>(QStringLiteral("ProductName"))->font().bold());

    // The notice starts right of the animation square.
    auto* notice = box.findChild<QLabel*>(QStringLiteral("Notice"));
    ASSERT_NE(notice, nullptr);
    const QString text = notice->text();
    const qsizetype firstInk = text.indexOf(QRegularExpression(QStringLiteral("\\S")));
    ASSERT_GT(firstInk, 0);
    EXPECT_GT(QFontMetrics(notice->font()).horizontalAdvance(text.left(firstInk)),
              AboutCube::kSquare);
    for (const char* name : {"ProductName", "Label1", "Version", "Notice", "Label2", "Label3"}) {
        auto* l = box.findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(l, nullptr) << name;
        EXPECT_TRUE(box.rect().contains(l->geometry())) << name;
    }
}

TEST(AboutBox, TimerIsBriskOnlyWhileTheBoxIsActive) {
    app();
    AboutBox box;
    EXPECT_EQ(box.timerInterval(), 100);
    box.present();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    EXPECT_EQ(box.timerInterval(), 100);

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(box.timerInterval(), 10000);

    box.present();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    EXPECT_EQ(box.timerInterval(), 100);
}

TEST(AboutBox, FirstShowingIsCentredAndLaterOnesKeepTheUsersPlace) {
    app();
    AboutBox box;
    box.present();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const QPoint centre = box.screen()->availableGeometry().center();
    EXPECT_LE((box.frameGeometry().center() - centre).manhattanLength(), 2);
    box.move(10, 20);
    box.hide();
    box.present();
    EXPECT_EQ(box.pos(), QPoint(10, 20));
}

TEST(AboutBox, AnimatesAndPaintsSolidStars) {
    app();
    AboutBox box;
    box.present();
    const auto before = box.cube().angles();
    QTest::qWait(450);
    EXPECT_NE(box.cube().angles(), before);

    // Wait for a frame with a face turned well towards the viewer, then check the painting:
    // the square's background, the face colour near a corner and the star colour at the
    // centre, which an even-odd fill would leave in the face colour.
    for (int tries = 0; tries < 100; ++tries) {
        CubeFrame frame = box.cube().frame();
        const CubeFacePaint* best = nullptr;
        for (const auto& f : frame.faces)
            if (box.cube().level(f.face) >= 14) best = &f;
        if (best) {
            const QImage img = box.grab().toImage();
            const double r = img.devicePixelRatio();
            auto pixel = [&](int x, int y) { return QColor(img.pixel(int(x * r), int(y * r))); };
            int cx = 0, cy = 0;
            for (const auto& p : best->corners) cx += p.x, cy += p.y;
            cx /= 4, cy /= 4;
            EXPECT_EQ(pixel(cx, cy),
                      QColor(best->starColour.r, best->starColour.g, best->starColour.b));
            EXPECT_EQ(pixel(1, 1), box.palette().color(QPalette::Button));
            return;
        }
        QTest::qWait(100);
    }
    ADD_FAILURE() << "no head-on face in 100 frames";
}

}  // namespace
}  // namespace tobrisk
