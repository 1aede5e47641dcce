// Peer for the window start: the least a Qt 6 Widgets program shows.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle("Empty");
    w.resize(400, 120);
    w.show();
    return app.exec();
}
