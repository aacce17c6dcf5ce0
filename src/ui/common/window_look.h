#pragma once

// A window as designed: its name, caption and icon, the button-face
// background and the design font, "MS Sans Serif" 8.25 pt.

#include <QString>

class QWidget;

void dressWindow(QWidget *window, const QString &name, const QString &caption, const QString &icon);
