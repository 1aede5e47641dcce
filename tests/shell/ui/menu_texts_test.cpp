// Every calculator's pop-up menu, as the user reads it: captions in menu order, submenus
// indented, and the shortcut text shown beside each entry.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <filesystem>

#include "exprwin/ui/expression_window.h"
#include "fin/ui/financial_window.h"
#include "platform/fakes.h"
#include "rpn/ui/rpn_window.h"
#include "shell/ui/app_shell.h"
#include "tests/qt_test_app.h"

namespace tobrisk {
namespace {

namespace fs = std::filesystem;

// "caption" or "caption\tshortcut", two blanks of indent per submenu level; the shortcut text
// is what QMenu draws (the text after a tab in the caption, else the shortcut's native text).
void flatten(const QMenu* menu, const QString& indent, QStringList& out) {
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || !a->isVisible()) continue;
        QString line = indent + a->text();
        if (!a->text().contains('\t') && !a->shortcut().isEmpty())
            line += '\t' + a->shortcut().toString(QKeySequence::NativeText);
        out << line;
        if (const QMenu* sub = QMenu::menuInAction(a)) flatten(sub, indent + "  ", out);
    }
}

QStringList shown(const QMenu* menu) {
    QStringList out;
    if (menu) flatten(menu, "", out);
    return out;
}

class MenuTextsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureTestApplication();
        dir = fs::temp_directory_path() /
              ("tobrisk-menu-texts-" + std::to_string(QCoreApplication::applicationPid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::string folder = dir.string() + "/";
        services = std::make_unique<AppServices>(
            AppServices{alerts, dialogs, clock, Separators{}, folder, folder});
        shell = std::make_unique<AppShell>(*services);
        shell->start();
        QApplication::processEvents();
    }
    void TearDown() override {
        shell.reset();
        fs::remove_all(dir);
    }

    fs::path dir;
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{encodeDateTime(2026, 12, 8, 12, 0, 0)};
    std::unique_ptr<AppServices> services;
    std::unique_ptr<AppShell> shell;
};

TEST_F(MenuTextsTest, ExpressionWindow) {
    const QStringList expected = {
        "RPN Calculator...\tCtrl+R",
        "Financial Calculator...\tCtrl+F",
        "Help\tCtrl+F1",
        "Built-in Help\tF1",
        "Options",
        "  Angular Unity",
        "    Degrees\tCtrl+T",
        "    Radians\tCtrl+T",
        "  Decimal Places",
        "    Automatic\tCtrl+Delete",
        "    2\tCtrl+2",
        "    4\tCtrl+4",
        "  Font...\tCtrl+M",
        "  Automatic Soma Mode",
        "    Yes",
        "    No",
        "  Factor Big Numbers",
        "    Yes",
        "    No",
        "  Show Integers Without Decimals",
        "    Yes",
        "    No",
        "File",
        "  Open...\tCtrl+O",
        "  Save As...\tCtrl+S",
        "Calculate Line\tEnter",
        "Calculate in Fraction Mode\tCtrl+Enter",
        "Factor Integer\tCtrl+Shift+F",
        "About...",
    };
    EXPECT_EQ(shown(shell->expressionWindow()->popupMenu()), expected);
    // Only the names changed: the keys are the same.
    auto keyOf = [this](const char* name) {
        return shell->expressionWindow()->findChild<QAction*>(name)->shortcut();
    };
    EXPECT_EQ(keyOf("Padro1"), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    EXPECT_EQ(keyOf("CalcularExpresso1"), QKeySequence(Qt::Key_Return));
    EXPECT_EQ(keyOf("CalcularcomoFraes1"), QKeySequence(Qt::CTRL | Qt::Key_Return));
}

TEST_F(MenuTextsTest, FinancialWindow) {
    const QStringList expected = {
        "Expression Calculator\tCtrl+E",
        "RPN Calculator\tCtrl+R",
        "Help\tCtrl+F1",
        "Built-in Help\tF1",
        "Shows more precision\tCtrl+P",
        "Font...\tCtrl+M",
        "Language",
        "  English",
        "  Portuguese",
        "About...",
    };
    EXPECT_EQ(shown(static_cast<FinancialWindow*>(shell->financialWindow())->popupMenu()),
              expected);
}

TEST_F(MenuTextsTest, RpnWindow) {
    const QStringList expected = {
        "Expression Calculator...\tCtrl+E",
        "Financial Calculator...\tCtrl+F",
        "Help\tCtrl+F1",
        "Built-in Help\tF1",
        "Show/Hide Stack\tCtrl+H",
        "Appearance",
        "  Display Font...",
        "  Buttons Font...",
        "  Graphic Characters",
        "    WingDings 3",
        "    WebDings",
        "    Carac. Normais",
        "About...",
    };
    EXPECT_EQ(shown(static_cast<RpnWindow*>(shell->rpnWindow())->popupMenu()), expected);
}

}  // namespace
}  // namespace tobrisk
