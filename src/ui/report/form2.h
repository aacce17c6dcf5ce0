#pragma once

// The report window: the subject and the results of the main window on one
// page, copied afresh each time the window becomes active, and printed.

#include "page_printer.h"
#include "ui/common/control_plan.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;

class Form2 : public QWidget
{
    Q_OBJECT

public:
    // Reads the main window's controls by name; writes nothing back.
    explicit Form2(QWidget *mainWindow);

protected:
    void changeEvent(QEvent *event) override;

private:
    void refresh();
    void print();
    void offerPdf();
    // The page is drawn without its print button, which comes back afterwards.
    PrintOutcome printWithoutButton(const std::function<PrintOutcome()> &print);

    QLabel *label(const QString &name) const;
    QString sourceText(const QString &name) const;
    bool sourceChecked(const QString &name) const;

    QPointer<QWidget> m_mainWindow;
    Controls m_controls;
};
