#pragma once

// The information window: version, credits, and four letters that appear one
// after another. A double-click on its picture ends the program.

#include "ui/common/control_plan.h"

#include <QDialog>

class QTimer;

class frmLogin : public QDialog
{
    Q_OBJECT

public:
    explicit frmLogin(QWidget *parent = nullptr);

    // One tick of Timer2.
    void tick();
    int letterStep() const { return m_letterStep; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void sayFarewell();

    QWidget *m_picture;         // a double-click on it says farewell
    QList<QWidget *> m_letters; // N, e, w and 0, in the order they come
    QTimer *m_timer;
    int m_letterStep = 0;
};
