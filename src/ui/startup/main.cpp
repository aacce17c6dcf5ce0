#include "ui/common/fonts.h"
#include "ui/startup/frmsplash.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutes();
    frmSplash splash;
    splash.show();
    return app.exec();
}
