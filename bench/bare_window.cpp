// The yardstick of the launch benchmark: the least a Qt Widgets program with a window of the
// main window's size, a combo box and a button does before its first frame.

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(227, 111);
    auto *combo = new QComboBox(&window);
    combo->setGeometry(16, 56, 97, 21);
    combo->addItems({QStringLiteral("Triangle"), QStringLiteral("Circle")});
    auto *button = new QPushButton(QStringLiteral("E&xit"), &window);
    button->setGeometry(184, 88, 33, 17);
    QObject::connect(button, &QPushButton::clicked, &application, &QApplication::quit);
    window.show();
    return QApplication::exec();
}
