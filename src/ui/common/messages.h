#pragma once

// The program's messages: modal boxes with one OK button.

class QString;
class QWidget;

void showInformation(QWidget *parent, const QString &title, const QString &text);
void showWarning(QWidget *parent, const QString &title, const QString &text);
void showCritical(QWidget *parent, const QString &title, const QString &text);
