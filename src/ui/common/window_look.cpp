#include "window_look.h"

#include "artwork.h"
#include "fonts.h"
#include "system_colours.h"

#include <QWidget>

void dressWindow(QWidget *window, const QString &name, const QString &caption, const QString &icon)
{
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setWindowIcon(artworkIcon(icon));
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, SystemColour::buttonFace);
    window->setPalette(palette);
    window->setFont(designFont("MS Sans Serif", 8.25));
}
