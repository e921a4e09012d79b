#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quintovar");
    QLabel window(QString::fromUtf8("Диагностика Toyota со старым протоколом"));
    window.setWindowTitle(QString::fromUtf8("Диагностика Toyota со старым протоколом"));
    window.show();
    return app.exec();
}
