#pragma once
// The RPN calculator's window (TForm6, "Tobrisk RPN"): the stack fields, the display, the two
// button groups and the pop-up menu around one RpnMachine. It renders what the machine
// produces after every key, turns keyboard releases into machine operations through the
// keyboard table, and keeps its own settings (stack view, fonts, glyph set, position) in the
// data record. Switching, help, About and closing go to the CalculatorHost.

#include <QFont>
#include <QWidget>
#include <array>
#include <memory>

#include "exprwin/data_record.h"
#include "platform/app_services.h"
#include "rpn/rpn_machine.h"
#include "shell/calculator_host.h"

class QAction;
class QFrame;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tobrisk {

class RpnWindow : public QWidget {
  public:
    RpnWindow(DataRecord& record, AppServices& services, CalculatorHost& host,
              QWidget* parent = nullptr);
    ~RpnWindow() override;

    // Top and left into the record, as the shell saves it.
    void gatherInto(DataRecord& record) const;

    RpnMachine& machine() { return *machine_; }
    QMenu* popupMenu() const { return menu_; }
    bool stackShown() const;

    // Menu commands (also reachable through the menu's actions).
    void MostrarOcultarstack1Click();
    void FontedoVisor1Click();
    void FontedosBotes1Click();
    void applyGlyphSet(int set);
    void Memo1DblClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    class HostLines;

    void buildControls();
    void buildMenu();
    void placeContent(bool stackShown);
    void applyDisplayFont(const FontSpec& font);
    void applyButtonsFont(const FontSpec& font);
    // A size outside 8..14 from the dialog: told in this window, nothing changes.
    bool fontRefused(const FontSpec& chosen);
    // Every text in its control: a text wider than its control gets a smaller font (the saved
    // fonts stay as chosen), so the display never loses its sign or leading digits.
    void fitTexts();
    bool handleKeyRelease(QKeyEvent* event);
    bool handleClipboardKey(const QKeyEvent& event);  // false: not a clipboard key
    void render();

    DataRecord& record_;
    AppServices& services_;
    CalculatorHost& host_;
    std::unique_ptr<HostLines> lines_;
    std::unique_ptr<RpnMachine> machine_;

    std::array<QLineEdit*, 4> stackFields_{};  // Edit1..Edit4: T, Z, Y, X
    QLineEdit* display_ = nullptr;             // Memo1
    QFrame* leftGroup_ = nullptr;
    QFrame* rightGroup_ = nullptr;
    std::array<QPushButton*, 12> padButtons_{};  // by key code
    QPushButton* angleButton_ = nullptr;
    QPushButton* powerButton_ = nullptr;
    std::array<QPushButton*, 3> glyphButtons_{};  // roll down, roll up, delete
    QMenu* menu_ = nullptr;
    bool rendering_ = false;  // the display's text is the machine's own
    std::array<QAction*, 3> glyphActions_{};
    QFont displayFont_;  // the chosen fonts, before fitting
    QFont buttonsFont_;
    QFont powerFont_;
    QFont glyphFont_;
};

}  // namespace tobrisk
