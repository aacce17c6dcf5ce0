#pragma once

// The splash window: opens the program, drifts up and right, and hands over
// on its 26th tick. It tells when the main window is wanted (first tick) and
// when it should show (hand-over); the program's start owns that window.

#include "splash_motion.h"
#include "ui/common/control_plan.h"

#include <QWidget>

class QTimer;

class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget *parent = nullptr);
    ~frmSplash() override;

    // One tick of Timer1.
    void tick();
    const SplashMotion &motion() const { return m_motion; }

signals:
    void mainWindowWanted();
    void handedOver();

private:
    void place();

    QTimer *m_timer;
    SplashMotion m_motion;
    bool m_busyPointer = false;
};
