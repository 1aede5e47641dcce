#pragma once
// The expression window (the main window): entry line `Combo1` with the line history, result
// line `Combo2` with the store listing, `Timer1`, the pop-up menu with every command and the
// window's own keys. Creation loads the data record; closing gathers every calculator's state
// into it and saves it, which ends the program.

#include <QComboBox>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "exprwin/data_record.h"
#include "exprwin/expression_surface.h"
#include "exprwin/record_files.h"
#include "platform/app_services.h"
#include "shell/calculator_host.h"

namespace tobrisk {

class ExpressionController;

class ExpressionWindow : public QWidget, public ExpressionSurface {
    Q_OBJECT
  public:
    ExpressionWindow(DataRecord& record, RecordFiles& files, AppServices& services,
                     CalculatorHost& host, QWidget* parent = nullptr);
    ~ExpressionWindow() override;

    QComboBox* entryLine() const { return combo1_; }
    QComboBox* resultLine() const { return combo2_; }
    QTimer* timer() const { return timer1_; }
    QMenu* popupMenu() const { return menu_; }
    ExpressionController& controller() { return *controller_; }

    // Set by the shell: copies the other calculators' live state into the record before a save,
    // and runs once on every paint (the start-up redirection).
    void setGatherOthers(std::function<void(DataRecord&)> f) { gatherOthers_ = std::move(f); }
    void setOnPaint(std::function<void()> f) { onPaint_ = std::move(f); }

    // Copies this window's live state (geometry, options) into the record.
    void gatherInto(DataRecord& record) const;
    // Applies the saved geometry, font, decimal places and Yes/No options (creation, Open).
    void applySavedState();
    // The font routine of "Font...": the financial window's command runs it too. The chosen
    // font is passed to applyToFinancial. A refused size is shown by showRefusal when given (the
    // window that asked), else in the result line.
    void chooseFont(const std::function<void(const FontSpec&)>& applyToFinancial,
                    const std::function<void(const std::string&)>& showRefusal = {});
    // Runs `line` as the RPN calculator does: no continuation rewrite, continuation state kept.
    bool calculateForRpn(const std::string& line);
    void setFocusGreyed(bool greyed);

    // ExpressionSurface
    std::string entryText() const override;
    void setEntryText(const std::string& text) override;
    void selectAllEntry() override;
    std::string resultText() const override;
    void setResultText(const std::string& text) override;
    void setResultColour(ResultColour c) override;
    void addHistory(const std::string& line) override;
    void clearHistory() override;
    std::vector<std::string> history() const override;
    std::optional<std::string> lastHistoryItem() const override;
    void setListing(const std::vector<std::string>& lines) override;
    void setTimerInterval(int ms) override;
    void repaintNow() override;
    void setCaption(const std::string& caption) override;

    // Menu commands (public so the shell and tests can run them as the menu does).
    void CalcularExpresso1Click();
    void CalcularcomoFraes1Click();
    void FatorarNmero1Click();
    void toggleAngleUnit();
    void setDecimalPlaces(int d);
    void setAutomaticDecimals();
    void Abrir1Click();
    void SalvarComo1Click();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void buildMenu();
    bool handleKey(QKeyEvent* k);
    bool historyKey(QObject* watched, QKeyEvent* k);
    bool clipboardEvent(QObject* watched, QEvent* e);  // true: Ctrl+C copied the result line
    void encloseEntry(bool caretAtEnd);
    void setLineWidth(int w);
    void applyFont();
    QColor fontColour() const;
    void refreshCaption();
    void refreshOptionChecks();

    DataRecord& record_;
    RecordFiles& files_;
    AppServices& services_;
    CalculatorHost& host_;
    std::unique_ptr<ExpressionController> controller_;
    ResultColour resultColour_ = ResultColour::Normal;
    QComboBox* combo1_ = nullptr;
    QComboBox* combo2_ = nullptr;
    QTimer* timer1_ = nullptr;
    QMenu* menu_ = nullptr;
    struct MenuActions;
    std::unique_ptr<MenuActions> actions_;
    std::function<void(DataRecord&)> gatherOthers_;
    std::function<void()> onPaint_;
    bool greyed_ = false;
    std::string typedBeforeList_;
    bool calculationSelection_ =
        false;  // the entry's selection is the calculation's, not the user's
    int lineWidth_ = 295;
};

}  // namespace tobrisk
