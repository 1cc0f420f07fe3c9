// The yardstick of the start-up benchmark (bench/arranque.sh): the least a
// Qt Widgets program does before its first window is on the screen.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget ventana;
    auto* capa = new QVBoxLayout(&ventana);
    capa->addWidget(new QLineEdit(&ventana));
    capa->addWidget(new QLabel("Numbrix", &ventana));
    ventana.resize(560, 380);
    ventana.show();
    return app.exec();
}
