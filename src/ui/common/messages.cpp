#include "messages.h"

#include <QMessageBox>

namespace {

void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void showInformation(QWidget *parent, const QString &title, const QString &text)
{
    showMessage(parent, QMessageBox::Information, title, text);
}

void showWarning(QWidget *parent, const QString &title, const QString &text)
{
    showMessage(parent, QMessageBox::Warning, title, text);
}

void showCritical(QWidget *parent, const QString &title, const QString &text)
{
    showMessage(parent, QMessageBox::Critical, title, text);
}
