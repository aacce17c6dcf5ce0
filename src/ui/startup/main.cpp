#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Nutrivo");
    window.resize(613, 477);
    window.show();
    return app.exec();
}
