#include "frmsplash.h"

#include "frmsplash_plan.h"
#include "ui/common/window_look.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

namespace {

const QSize sizeTwips(7605, 4515);

} // namespace

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_timer(new QTimer(this))
{
    dressWindow(this, "frmSplash", "Nutrivo", "nutrivo");
    setFixedSize(pixels(QRect(QPoint(), sizeTwips)).size());
    buildControls(this, frmSplashPlan());

    m_timer->setObjectName("Timer1");
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &frmSplash::tick);

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    m_motion =
        splashStart(float(screen.width() * twipsPerPixel), float(screen.height() * twipsPerPixel),
                    float(sizeTwips.width()), float(sizeTwips.height()));
    place();
    m_timer->start(m_motion.intervalMs);
}

frmSplash::~frmSplash()
{
    if (m_busyPointer)
        QApplication::restoreOverrideCursor();
}

void frmSplash::tick()
{
    m_motion = splashTick(m_motion, float(sizeTwips.width()), float(sizeTwips.height()));
    if (!m_motion.handedOver) {
        if (!m_busyPointer)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        m_busyPointer = true;
        show();
        emit mainWindowWanted();
    } else {
        m_timer->stop();
        if (m_busyPointer)
            QApplication::restoreOverrideCursor();
        m_busyPointer = false;
        hide();
        emit handedOver();
    }
    m_timer->setInterval(m_motion.intervalMs);
    place();
}

void frmSplash::place()
{
    const QPoint origin = QGuiApplication::primaryScreen()->geometry().topLeft();
    move(origin +
         QPoint(qRound(m_motion.left / twipsPerPixel), qRound(m_motion.top / twipsPerPixel)));
}
