// Peer for the window start: the least a Qt 6 Widgets program that draws text shows (one label,
// the window sized to it), so it pays what any such window pays before its first map:
// fontconfig's start and the default font's resolution.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel w("0");
    w.setWindowTitle("Text");
    w.setMargin(40);
    w.show();
    return app.exec();
}
