#include "ui/common/fonts.h"
#include "ui/main/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutes();
    Form1 window;
    window.show();
    return app.exec();
}
