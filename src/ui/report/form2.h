#pragma once

// The report window: the subject and the results of the main window on one
// page, copied afresh when it is first shown and each time the user comes to
// it from another window of the program; printed, or saved as a PDF.

#include "print_choices.h"
#include "ui/common/control_plan.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QWindow;

class Form2 : public QWidget
{
    Q_OBJECT

public:
    // Reads the main window's controls by name; writes nothing back. The page
    // is dated developedAt(), or now without it.
    explicit Form2(QWidget *mainWindow, std::function<QDateTime()> developedAt = {});

signals:
    // "Come si calcola..." from the page's context menu.
    void workingWanted();

protected:
    void changeEvent(QEvent *event) override;

private:
    void refresh();
    void print();
    void savePdf();
    PrintRequest printRequest() const;
    // The page is drawn without its print button, which comes back afterwards.
    PageDrawing pageWithoutButton();

    QLabel *label(const QString &name) const;
    QString sourceText(const QString &name) const;
    bool sourceChecked(const QString &name) const;

    QPointer<QWidget> m_mainWindow;
    std::function<QDateTime()> m_developedAt;
    Controls m_controls;
    QPushButton *m_print; // "Conferma stampa ..."
    // The window that had the focus last: null for another application.
    QPointer<QWindow> m_focusBefore;
    bool m_refreshed = false;
};
