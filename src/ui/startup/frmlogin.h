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

    Controls m_controls;
    QTimer *m_timer;
    int m_letterStep = 0;
};
