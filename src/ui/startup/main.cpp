#include "ui/common/fonts.h"
#include "ui/startup/command_line.h"
#include "ui/startup/frmsplash.h"
#include "version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const auto exitCode = answerCommandLine(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    QApplication::setApplicationName("Nutrivo");
    QApplication::setApplicationVersion(NUTRIVO_VERSION);
    QApplication::setDesktopFileName("nutrivo");
    registerFontSubstitutes();
    frmSplash splash;
    splash.show();
    return app.exec();
}
