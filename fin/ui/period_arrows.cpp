#include "fin/ui/period_arrows.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace tobrisk {

PeriodArrows::PeriodArrows(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::TabFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        box->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] {
        if (onChanging) onChanging(+1);
    });
    connect(down_, &QToolButton::clicked, this, [this] {
        if (onChanging) onChanging(-1);
    });
}

void PeriodArrows::setPosition(int position) {
    position_ = position < minimum_ ? minimum_ : position > maximum_ ? maximum_ : position;
}

void PeriodArrows::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    setPosition(position_);
}

}  // namespace tobrisk
