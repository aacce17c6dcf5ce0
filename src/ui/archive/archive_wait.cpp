#include "archive_wait.h"

#include "ui/common/wait_cursor.h"

#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

void waitForWork(QWidget *over, const QString &title, ArchiveSession &session, Archive *aside,
                 const std::function<void(Archive &)> &work)
{
    bool done = false;
    QEventLoop loop;
    QPointer<QProgressDialog> window;
    const auto finished = [&] {
        done = true;
        loop.quit();
        if (window)
            window->accept();
    };
    if (aside)
        session.send(
            *aside, [&] { work(*aside); }, finished);
    else
        session.send(work, finished);
    if (done)
        return;
    {
        // Most answers come within the moment: no window for them. The user's
        // input waits until then, and is not lost.
        const WaitCursor cursor(true);
        QTimer::singleShot(slowAnswerMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (done)
        return;
    QProgressDialog slow(QStringLiteral("Il server dello studio è lento a rispondere: si può "
                                        "attendere o annullare."),
                         QStringLiteral("Annulla"), 0, 0, over);
    window = &slow;
    slow.setObjectName(QStringLiteral("frmAttesa"));
    slow.setWindowTitle(title);
    slow.setWindowModality(Qt::ApplicationModal);
    slow.setMinimumDuration(0);
    slow.setAutoReset(false);
    slow.setAutoClose(false);
    QObject::connect(&slow, &QProgressDialog::canceled, &session, &ArchiveSession::cancelWaiting);
    if (!done)
        slow.exec();
    window = nullptr;
    // Cancelled: the statement ends at once, and its outcome is still told.
    while (!done)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
}
