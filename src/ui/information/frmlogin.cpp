#include "frmlogin.h"

#include "frmlogin_plan.h"
#include "ui/common/messages.h"
#include "ui/common/session.h"
#include "ui/common/window_look.h"

#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QTimer>

namespace {

const char *const letters[] = {"Label21", "Label22", "Label23", "Label24"};

// Which letters each step of the cycle shows.
constexpr bool letterCycle[5][4] = {
    {false, false, false, false}, {true, false, false, false}, {true, true, false, false},
    {true, true, true, false},    {true, true, true, true},
};

constexpr int letterIntervalMs = 700;

} // namespace

frmLogin::frmLogin(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_timer(new QTimer(this))
{
    dressWindow(this, "frmLogin", "Informazioni su Nutrivo", "information");
    setModal(false);
    setFixedSize(pixels(QRect(0, 0, 5130, 4680)).size());
    move(pixels(2730), pixels(2220));

    const Controls controls = buildControls(this, frmLoginPlan());
    m_picture = controls.get("Picture1");
    for (const char *name : letters)
        m_letters << controls.get(name);
    auto *ok = controls.get<QPushButton>("cmdOK");
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);
    m_picture->installEventFilter(this);

    m_timer->setObjectName("Timer2");
    connect(m_timer, &QTimer::timeout, this, &frmLogin::tick);
    m_letterStep = 0;
    m_timer->start(letterIntervalMs);
}

void frmLogin::tick()
{
    for (int i = 0; i < 4; ++i)
        m_letters[i]->setVisible(letterCycle[m_letterStep][i]);
    m_letterStep = m_letterStep == 4 ? 0 : m_letterStep + 1;
}

bool frmLogin::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_picture && event->type() == QEvent::MouseButtonDblClick) {
        sayFarewell();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmLogin::sayFarewell()
{
    QApplication::beep();
    showCritical(this, "CHIUDI SESSIONE!",
                 "Questa operazione ha innescato inevitabilmente l'uscita da questa "
                 "applicazione!!! Arrivederci ...");
    endSession();
}
