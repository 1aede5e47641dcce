// The language table and the layout update: captions in English or Portuguese,
// and the mode-dependent captions, colours, visibility and enabled states.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "fin/ui/financial_window.h"

namespace tobrisk {

namespace {

struct Caption {
    const char* english;
    const char* portuguese;
};

// The captions that depend on the calculation type: Generic Formula, then
// Consumer Credit.
struct ModeCaptions {
    Caption generic;
    Caption consumer;
};
const ModeCaptions kLabel1{{"Present Value", "Valor Presente"}, {"Goods Value", "Valor do Bem"}};
const ModeCaptions kLabel4{{"Periods", "Num.Períodos"}, {"N.Payments", "N.Prestações"}};
const ModeCaptions kLabel6{{"Payments Value", "Vlr.Pagamentos"},
                           {"Payments Value", "Vlr.Prestações"}};
const ModeCaptions kLabel15{{"Future Value", "Valor Futuro"}, {"Payments Total", "Total Pago"}};

const QColor kNotice(136, 68, 34);
const QColor kGrey(128, 128, 128);
const QColor kGenericBlue(34, 68, 136);
const QColor kScrollBar(200, 200,
                        200);  // the system scroll-bar colour of the design

QString text(const Caption& c, bool english) {
    return QString::fromUtf8(english ? c.english : c.portuguese);
}

// A right-aligned label keeps its right edge when its caption changes.
void setCaption(QLabel* label, const QString& caption) {
    label->setText(caption);
    label->adjustSize();
    QVariant right = label->property("rightEdge");
    if (right.isValid()) label->move(right.toInt() - label->width(), label->y());
}

void setTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    w->setPalette(p);
}

}  // namespace

void FinancialWindow::applyLanguage() {
    const bool en = english();
    struct Row {
        QWidget* element;
        Caption caption;
    };
    const Row rows[] = {
        {label2_, {"Interest Rate", "Taxa de Juros"}},
        {label3_, {"Períods/Rate", "Períodos/taxa"}},
        {label5_, {"Down Payment", "Entrada"}},
        {label14_, {"Financial", "Calculadora"}},
        {label7_, {"Calculator", "Financeira"}},
        {groupBox1_, {"Calculation Type", "Tipo de Cálculo"}},
        {groupBox2_, {"Payments", "Pagamentos no"}},
        {controls_[0], {"Consumer Credit", "Créd.Consumidor"}},
        {controls_[1], {"Generic Formula", "Fórmula Genérica"}},
        {controls_[2], {"Start of Period", "Início do período"}},
        {controls_[3], {"End of Period", "Fim do período"}},
        {checkBox1_, {"Topmost Window", "Janela Topmost"}},
    };
    for (const Row& r : rows) {
        const QString caption = text(r.caption, en);
        if (auto* l = qobject_cast<QLabel*>(r.element)) {
            setCaption(l, caption);
        } else if (auto* g = qobject_cast<QGroupBox*>(r.element)) {
            g->setTitle(caption);
        } else if (auto* b = qobject_cast<QAbstractButton*>(r.element)) {
            b->setText(caption);
        }
    }
    // Only the captions change: field texts, values and the (1+ state stay as
    // they are.
    applyLayout(model_->layout());
}

void FinancialWindow::applyLayout(const FinancialLayout& layout) {
    const bool en = english();
    const bool generic = layout.calculationType == 1;
    const bool start = layout.timing == 0;
    label11_->setVisible(layout.notationShown);
    label12_->setVisible(layout.notationShown);
    label5_->setVisible(!generic);
    label14_->setVisible(generic);
    label7_->setVisible(generic);
    setTextColour(label14_, kNotice);
    setTextColour(label7_, kNotice);
    fields_[4]->setVisible(!generic);
    image1_->setVisible(generic);

    auto pick = [generic, en](const ModeCaptions& m) {
        return text(generic ? m.generic : m.consumer, en);
    };
    setCaption(label1_, pick(kLabel1));
    setCaption(label4_, pick(kLabel4));
    setCaption(label6_, pick(kLabel6));
    setCaption(label15_, pick(kLabel15));
    setTextColour(controls_[0], generic ? kGrey : kNotice);
    setTextColour(controls_[1], generic ? kGenericBlue : kGrey);

    // In Consumer Credit field 5 only shows the payments total.
    QPalette total = fields_[5]->palette();
    total.setColor(QPalette::Base, generic ? palette().color(QPalette::Base) : kScrollBar);
    // Disabled, it still carries the only payments total: its text stays as dark as an enabled
    // field's instead of the style's grey on grey.
    total.setColor(QPalette::Disabled, QPalette::Text,
                   palette().color(QPalette::Active, QPalette::Text));
    fields_[5]->setPalette(total);
    fields_[5]->setEnabled(generic);

    // No down payment with payments at the start of the period.
    setTextColour(label5_, start ? palette().color(QPalette::Dark) : QColor(Qt::black));
    fields_[4]->setEnabled(!start);
}

}  // namespace tobrisk
