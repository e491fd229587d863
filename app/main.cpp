#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle("Varnok 5.18b");
    w.resize(750, 550);
    w.show();
    return app.exec();
}
