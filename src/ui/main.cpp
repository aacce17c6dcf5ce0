#include "ui/common/fonts.h"
#include "ui/program.h"
#include "ui/startup/command_line.h"
#include "version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const CommandLine commandLine = answerCommandLine(argc, argv);
    if (commandLine.exitCode)
        return *commandLine.exitCode;
    QApplication app(argc, argv);
    QApplication::setApplicationName("Nutrivo");
    QApplication::setApplicationVersion(NUTRIVO_VERSION);
    QApplication::setDesktopFileName("nutrivo");
    registerFontSubstitutes();
    const Program program(commandLine.archive);
    return app.exec();
}
