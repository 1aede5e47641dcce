// Peer for the window start: a calculator-shaped Qt 6 window (an entry line and 30 buttons)
// with no engine, no data file and no menus.
#include <QApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle("Calculator");
    auto* grid = new QGridLayout(&w);
    grid->addWidget(new QLineEdit, 0, 0, 1, 6);
    static const char* kLabels[] = {"7",   "8",   "9",   "/",   "sqrt", "C",  "4", "5",
                                    "6",   "*",   "x^2", "CE",  "1",    "2",  "3", "-",
                                    "1/x", "Del", "0",   ".",   "+/-",  "+",  "=", "M+",
                                    "M-",  "MR",  "MC",  "sin", "cos",  "tan"};
    for (int i = 0; i < 30; ++i) grid->addWidget(new QPushButton(kLabels[i]), 1 + i / 6, i % 6);
    w.show();
    return app.exec();
}
