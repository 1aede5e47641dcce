#include "shell/ui/about_box.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "platform/qt/frame_placement.h"
#include "platform/qt/text_fit.h"
#include "shell/help_texts.h"

namespace tobrisk {
namespace {

constexpr int kClientWidth = 319;
constexpr int kClientHeight = 115;

struct LabelDef {
    const char* name;
    int left;
    int top;
    bool bold;
    const char* text;
};

// The notice line spans the window under the cube; its blanks are added at run time so that
// it starts right of the animation square whatever the font.
const LabelDef kLabels[] = {
    {"ProductName", 190, 0, true, "Tobrisk"},
    {"Label1", 186, 16, false, "Version 2.3"},
    {"Version", 168, 32, false, "February 1, 2002"},
    {"Notice", 0, 62, false, "Free to use, copy and share."},
    {"Label2", 150, 78, false, "Made by the Tobrisk project"},
    {"Label3", 158, 94, false, "tobrisk@example.org"},
};
constexpr int kNoticeWidth = 313;

QFont boxFont() {
    QStringList list;
    for (auto n : helpFonts().bodyFamilies)
        list << QString::fromLatin1(n.data(), static_cast<qsizetype>(n.size()));
    QFont font;
    font.setFamilies(list);
    font.setPixelSize(helpFonts().bodyPixelSize);
    return font;
}

QPoint toQt(const PixelPoint& p) {
    return {p.x, p.y};
}
QColor toQt(const Colour& c) {
    return {c.r, c.g, c.b};
}

}  // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      rng_(std::random_device{}()),
      cube_([this](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }) {
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("About Tobrisk"));
    setModal(false);
    setFont(boxFont());
    setFixedSize(kClientWidth, kClientHeight);

    // The design's texts fit its font; in a wider substitute a line moves left, never over the
    // animation square, and only then gets a smaller font.
    const int firstFree = AboutCube::kSquare + 4;
    const int lastFree = kClientWidth - 3;
    for (const LabelDef& def : kLabels) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(def.name));
        QFont f = font();
        f.setBold(def.bold);
        QString text = QString::fromLatin1(def.text);
        const bool notice = def.top == 62;
        const int room = notice ? kNoticeWidth - firstFree - 2 : lastFree - firstFree;
        f = fittedFont(f, text, QSize(room, kClientHeight - def.top));
        label->setFont(f);
        if (notice) {
            const QFontMetrics fm(f);
            QString blanks;
            while (fm.horizontalAdvance(blanks) <= firstFree) blanks += QLatin1Char(' ');
            text = blanks + text;
            label->setFixedWidth(kNoticeWidth);
        }
        label->setText(text);
        if (!notice) label->adjustSize();
        const int left =
            notice ? def.left : std::clamp(lastFree - label->width(), firstFree, def.left);
        label->move(left, def.top);
    }

    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(kActiveInterval);
    connect(&timer_, &QTimer::timeout, this, &AboutBox::Timer1Timer);
    timer_.start();
}

void AboutBox::present(QWidget* caller) {
    // A window manager keeps a transient window above the window it belongs to, in that
    // window's layer; an always-on-top caller takes this box into its layer.
    const bool onTop = caller && caller->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (onTop != windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        FramePlacement& placement = FramePlacement::of(this);
        const QPoint at = placement.frameTopLeft();
        setWindowFlag(Qt::WindowStaysOnTopHint, onTop);  // hides the box
        if (placed_) placement.placeFrameAt(at);
    }
    if (caller && caller->windowHandle()) {
        winId();
        windowHandle()->setTransientParent(caller->windowHandle());
    }
    show();
    raise();
    activateWindow();
}

void AboutBox::showEvent(QShowEvent* event) {
    if (!placed_) {
        centreOnScreen();
        placed_ = true;
    }
    QDialog::showEvent(event);
}

void AboutBox::centreOnScreen() {
    const QScreen* s = screen();
    if (!s) return;
    QRect frame = frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    move(frame.topLeft());
}

void AboutBox::changeEvent(QEvent* event) {
    // The cube tumbles briskly only while the user looks at this window.
    if (event->type() == QEvent::ActivationChange)
        timer_.setInterval(isActiveWindow() ? kActiveInterval : kInactiveInterval);
    QDialog::changeEvent(event);
}

void AboutBox::Timer1Timer() {
    cube_.step();
    update(0, 0, AboutCube::kSquare + 1, AboutCube::kSquare + 1);
}

void AboutBox::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter p(this);
    const QColor face = palette().color(QPalette::Button);
    p.setPen(face);
    p.setBrush(face);
    const int s = AboutCube::kSquare;
    const QPoint square[4] = {{0, 0}, {s, 0}, {s, s}, {0, s}};
    p.drawPolygon(square, 4);

    for (const CubeFacePaint& f : cube_.frame().faces) {
        QPoint corners[4];
        for (int i = 0; i < 4; ++i) corners[i] = toQt(f.corners[i]);
        p.setPen(face);
        p.setBrush(toQt(f.faceColour));
        p.drawPolygon(corners, 4);

        QPoint star[5];
        for (int i = 0; i < 5; ++i) star[i] = toQt(f.star[i]);
        p.setPen(toQt(f.starColour));
        p.setBrush(toQt(f.starColour));
        p.drawPolygon(star, 5, Qt::WindingFill);
    }
}

}  // namespace tobrisk
