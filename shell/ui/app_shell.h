#pragma once
// The application shell: creates the seven windows in their order (the expression window
// first, which loads the data record), redirects to the saved calculator on the first paint,
// switches between the calculators, greys the expression lines while the application is
// inactive, and ends the program through the expression window's save.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "exprwin/data_record.h"
#include "exprwin/record_files.h"
#include "platform/app_services.h"
#include "platform/desktop_launcher.h"
#include "shell/calculator_host.h"

namespace tobrisk {

class ExpressionWindow;

class AppShell : public QObject, public CalculatorHost {
    Q_OBJECT
  public:
    explicit AppShell(AppServices& services, QObject* parent = nullptr);
    ~AppShell() override;

    // Creates the windows in order and shows the expression window.
    void start();
    // What opens the help (the desktop's own unless a test gives another); not owned.
    void setLauncher(DesktopLauncher& launcher) { launcher_ = &launcher; }

    DataRecord& record() { return record_; }
    ExpressionWindow* expressionWindow() const { return expr_; }
    QWidget* financialWindow() const { return fin_; }
    QWidget* rpnWindow() const { return rpn_; }
    QWidget* helpWindow(Calculator which) const;
    QWidget* aboutBox() const { return about_; }
    QWidget* calculatorWindow(Calculator which) const;

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
    ExpressionWindow* expr_ = nullptr;
    QWidget* fin_ = nullptr;
    QWidget* help3_ = nullptr;
    QWidget* help4_ = nullptr;
    QWidget* about_ = nullptr;
    QWidget* rpn_ = nullptr;
    QWidget* help7_ = nullptr;
    std::unique_ptr<DesktopLauncher> desktopLauncher_;
    DesktopLauncher* launcher_ = nullptr;
};

}  // namespace tobrisk
