#include "session.h"

#include <QApplication>
#include <QWidget>

void endSession()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}
