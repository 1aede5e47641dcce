#pragma once
// The financial calculator's window (TForm2, "Tobrisk FIN"): six value fields
// around one FinancialModel, the choice of calculation type and payment timing,
// the periods-per-rate box with its arrows, "Topmost Window" and the pop-up
// menu. It forwards double-clicks, text changes and radio choices to the model,
// draws the model's layout in English or Portuguese, and keeps its settings in
// the data record (slots 14-22). Switching, help, About, the shared font and
// closing go to the CalculatorHost.

#include <QWidget>
#include <array>
#include <memory>

#include "exprwin/data_record.h"
#include "fin/financial_model.h"
#include "platform/app_services.h"
#include "shell/calculator_host.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;

namespace tobrisk {

class PeriodArrows;

class FinancialWindow : public QWidget {
  public:
    FinancialWindow(DataRecord& record, AppServices& services, CalculatorHost& host,
                    QWidget* parent = nullptr);
    ~FinancialWindow() override;

    // Slots 14-22 (geometry, type, timing, periods, topmost, language) into the
    // record.
    void gatherInto(DataRecord& record) const;
    // The shared font's name, size and style (not its colour) on the six value
    // fields.
    void applyNumberFont(const FontSpec& font);

    FinancialModel& model() { return *model_; }
    QMenu* popupMenu() const { return menu_; }
    QLineEdit* field(int index) const { return fields_[static_cast<std::size_t>(index)]; }
    bool english() const;

    // Menu commands and control handlers (also reachable through the controls).
    void English1Click();
    void Portuguese1Click();
    void Mostrarprecisomxima1Click();
    void Fonte1Click();
    void CheckBox1Click();
    void UpDown1Changing(int direction);  // +1 up, -1 down

    void setVisible(bool visible) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    class View;
    friend class View;

    void buildControls();
    void buildMenu();
    void setTabOrders();
    void formCreate();
    void formShow();
    void applyLanguage();
    void applyLayout(const FinancialLayout& layout);
    void modeClicked(FinancialModel::Mode kind);
    void Edit1Change();
    void setTopmost(bool on);
    void showModalMessage(const std::string& text);
    void writeFieldText(int field, const std::string& text);

    DataRecord& record_;
    AppServices& services_;
    CalculatorHost& host_;
    std::unique_ptr<View> view_;
    std::unique_ptr<FinancialModel> model_;

    std::array<QLineEdit*, FinancialModel::kFieldCount> fields_{};  // TextBox0..TextBox5
    QLabel* label1_ = nullptr;                                      // field 0 caption
    QLabel* label2_ = nullptr;                                      // Interest Rate
    QLabel* label3_ = nullptr;                                      // periods per rate
    QLabel* label4_ = nullptr;                                      // field 2 caption
    QLabel* label5_ = nullptr;                                      // Down Payment
    QLabel* label6_ = nullptr;                                      // field 3 caption
    QLabel* label7_ = nullptr;                                      // second title line
    QLabel* label9_ = nullptr;                                      // "%"
    QLabel* label11_ = nullptr;                                     // " (1+"
    QLabel* label12_ = nullptr;                                     // ")"
    QLabel* label13_ = nullptr;                                     // "x"
    QLabel* label14_ = nullptr;                                     // first title line
    QLabel* label15_ = nullptr;                                     // field 5 caption
    QLabel* image1_ = nullptr;
    QGroupBox* groupBox1_ = nullptr;
    QGroupBox* groupBox2_ = nullptr;
    std::array<QRadioButton*, 4> controls_{};  // Control0..Control3
    QLineEdit* edit1_ = nullptr;
    PeriodArrows* upDown1_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* english1_ = nullptr;
    QAction* portuguese1_ = nullptr;

    QString lastValidPeriods_;
    bool writing_ = false;          // the program is writing a field: not the user's typing
    bool selectingRadios_ = false;  // radio states set by the program
    bool periodsEcho_ = false;      // Edit1 text being put back or clamped
    bool switchingTopmost_ = false;
};

}  // namespace tobrisk
