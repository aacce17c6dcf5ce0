#pragma once

// The splash window: opens the program, drifts up and right, and hands over
// to the main window on its 26th tick.

#include "splash_motion.h"
#include "ui/common/control_plan.h"

#include <QWidget>

class Form1;
class QTimer;

class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget *parent = nullptr);
    ~frmSplash() override;

    // One tick of Timer1.
    void tick();
    // The main window, created hidden on first use.
    Form1 *mainWindow();
    const SplashMotion &motion() const { return m_motion; }

private:
    void place();

    QTimer *m_timer;
    SplashMotion m_motion;
    Form1 *m_mainWindow = nullptr;
    bool m_busyPointer = false;
};
