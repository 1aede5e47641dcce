#pragma once
// The application shell: creates the seven windows in their order (the expression window
// first, which loads the data record; the rest right after the first paint), redirects to the saved
// calculator on the first paint, switches between the calculators, greys the expression lines while
// the application is inactive, and ends the program through the expression window's save.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "exprwin/data_record.h"
#include "exprwin/record_files.h"
#include "platform/app_services.h"
#include "platform/desktop_launcher.h"
#include "shell/calculator_host.h"
#include "shell/ui/key_press_gate.h"

namespace tobrisk {

class ExpressionWindow;

class AppShell : public QObject, public CalculatorHost {
    Q_OBJECT
  public:
    explicit AppShell(AppServices& services, QObject* parent = nullptr);
    ~AppShell() override;

    // Creates the expression window (which loads the data record) and shows it; the other six
    // follow in their order right after its first paint (ensureWindows()).
    void start();
    // What opens the help (the desktop's own unless a test gives another); not owned.
    void setLauncher(DesktopLauncher& launcher) { launcher_ = &launcher; }
    // Creates the six other windows, in order, unless they exist. Every path that shows or asks
    // for one of them calls this first, so none is ever missing.
    void ensureWindows();
    bool windowsCreated() const { return fin_ != nullptr; }
    // A second start of the program on the same data: the calculator in use comes up.
    void bringToFront();

    DataRecord& record() { return record_; }
    ExpressionWindow* expressionWindow() const { return expr_; }
    QWidget* financialWindow();
    QWidget* rpnWindow();
    QWidget* helpWindow(Calculator which);
    QWidget* aboutBox();
    QWidget* calculatorWindow(Calculator which);

    // CalculatorHost
    void switchCalculator(Calculator from, Calculator to) override;
    void closeFrom(Calculator from) override;
    bool closing() const override { return closing_; }
    void showBuiltInHelp(Calculator which) override;
    void openHelpFile() override;
    void showAbout() override;
    void chooseExpressionFont() override;
    bool calculateExpressionLine(const std::string& line, std::string& message) override;

  private:
    void redirectOnPaint();
    void gatherOthers(DataRecord& record);
    void applyFinancialFont(const FontSpec& font);

    AppServices& services_;
    DataRecord record_;
    RecordFiles files_;
    bool closing_ = false;
    bool redirecting_ = false;
    bool othersQueued_ = false;  // the first paint queued the other windows' creation
    ExpressionWindow* expr_ = nullptr;
    QWidget* fin_ = nullptr;
    QWidget* help3_ = nullptr;
    QWidget* help4_ = nullptr;
    QWidget* about_ = nullptr;
    QWidget* rpn_ = nullptr;
    QWidget* help7_ = nullptr;
    std::unique_ptr<DesktopLauncher> desktopLauncher_;
    DesktopLauncher* launcher_ = nullptr;
    KeyPressGate keyGate_;
};

}  // namespace tobrisk
