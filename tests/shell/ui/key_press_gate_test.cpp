// Keys act only in the window that received their press: the gate on its own with two plain
// windows, and the shell's switching shortcuts into the RPN window, which acts on releases.
#include "shell/ui/key_press_gate.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <filesystem>

#include "exprwin/ui/expression_window.h"
#include "platform/fakes.h"
#include "rpn/ui/rpn_window.h"
#include "shell/ui/app_shell.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

namespace fs = std::filesystem;

// Records the keys that reach it; `ignoreReleases` lets releases travel on to the parent.
class KeyLog : public QWidget {
  public:
    explicit KeyLog(QWidget* parent = nullptr, bool ignoreReleases = false)
        : QWidget(parent), ignoreReleases_(ignoreReleases) {
        setFocusPolicy(Qt::StrongFocus);
    }
    std::vector<std::pair<QEvent::Type, int>> seen;

  protected:
    void keyPressEvent(QKeyEvent* e) override { seen.emplace_back(e->type(), e->key()); }
    void keyReleaseEvent(QKeyEvent* e) override {
        seen.emplace_back(e->type(), e->key());
        if (ignoreReleases_) e->ignore();
    }

  private:
    bool ignoreReleases_;
};

void send(QWidget* to, QEvent::Type type, int key, bool autoRepeat = false) {
    static quint64 time = 1000;
    QKeyEvent e(type, key, Qt::NoModifier, QString(), autoRepeat);
    e.setTimestamp(++time);
    QApplication::sendEvent(to, &e);
}

class KeyPressGateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureTestApplication();
        qApp->installEventFilter(&gate);
    }
    KeyPressGate gate;
};

TEST_F(KeyPressGateTest, AReleaseActsOnlyWhereItsKeyWasPressed) {
    KeyLog a, b;
    send(&a, QEvent::KeyPress, Qt::Key_R);
    send(&b, QEvent::KeyRelease, Qt::Key_R);  // the press went to another window
    send(&b, QEvent::KeyRelease, Qt::Key_S);  // the press went to none of ours
    EXPECT_TRUE(b.seen.empty());
    send(&b, QEvent::KeyPress, Qt::Key_R);
    send(&b, QEvent::KeyRelease, Qt::Key_R);
    send(&b, QEvent::KeyRelease, Qt::Key_R);  // one release per press
    const std::vector<std::pair<QEvent::Type, int>> expected{{QEvent::KeyPress, Qt::Key_R},
                                                             {QEvent::KeyRelease, Qt::Key_R}};
    EXPECT_EQ(b.seen, expected);
}

TEST_F(KeyPressGateTest, AutoRepeatFollowsTheFirstPress) {
    KeyLog a, b;
    send(&a, QEvent::KeyPress, Qt::Key_E);
    send(&b, QEvent::KeyPress, Qt::Key_E, true);
    send(&b, QEvent::KeyRelease, Qt::Key_E, true);
    EXPECT_TRUE(b.seen.empty());
    send(&a, QEvent::KeyPress, Qt::Key_E, true);
    EXPECT_EQ(a.seen.size(), 2u);
}

TEST_F(KeyPressGateTest, AReleaseIgnoredByAControlReachesItsWindow) {
    KeyLog window;
    auto* control = new KeyLog(&window, true);
    send(control, QEvent::KeyPress, Qt::Key_X);
    send(control, QEvent::KeyRelease, Qt::Key_X);
    const std::vector<std::pair<QEvent::Type, int>> expected{{QEvent::KeyRelease, Qt::Key_X}};
    EXPECT_EQ(window.seen, expected);
}

TEST(KeyPressGateShell, TheROfCtrlRLetGoAfterCtrlStartsNoRecall) {
    ensureTestApplication();
    // Unique per process: other checkouts may run the same test at the same time.
    const fs::path dir = fs::temp_directory_path() /
                         ("tobrisk-key-gate-" + std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string folder = dir.string() + "/";
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{encodeDateTime(2026, 12, 8, 12, 0, 0)};
    AppServices services{alerts, dialogs, clock, Separators{}, folder, folder};
    {
        AppShell shell(services);
        shell.start();
        QTest::qWait(50);
        QWidget* expr = shell.expressionWindow();
        auto* rpn = static_cast<RpnWindow*>(shell.rpnWindow());
        auto* display = rpn->findChild<QLineEdit*>("Memo1");
        ASSERT_NE(display, nullptr);
        QTest::keyPress(expr->focusWidget() ? expr->focusWidget() : expr, Qt::Key_R,
                        Qt::ControlModifier);
        ASSERT_TRUE(rpn->isVisible());
        const QString before = display->text();
        QTest::keyRelease(rpn, Qt::Key_R);  // Ctrl went up first
        EXPECT_EQ(display->text(), before);
        QTest::keyClick(rpn, Qt::Key_R);  // pressed in the RPN window: a recall
        EXPECT_NE(display->text(), before);
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace tobrisk
