#pragma once

// Answers the modal dialogs an action opens, as a person would.

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

struct ShownMessage
{
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QStringList buttons;
};

// Runs action; each modal dialog it opens is handed to answer, which closes it.
// The window that says a server is slow closes itself, and is left to it.
inline void answeringDialogs(const std::function<void()> &action,
                             const std::function<void(QWidget *)> &answer)
{
    QWidget *activeBefore = QApplication::activeWindow();
    bool anyShown = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        // Marked, not remembered by address: the next dialog may stand where
        // the last one did.
        if (!modal || !modal->isVisible() || modal->property("answered").toBool() ||
            modal->objectName() == QLatin1String("frmAttesa"))
            return;
        modal->setProperty("answered", true);
        anyShown = true;
        answer(modal);
    });
    poll.start();
    action();
    poll.stop();
    // The window under the dialog becomes active again, as a window manager
    // would make it; the headless platform leaves that to us.
    if (anyShown && activeBefore) {
        activeBefore->activateWindow();
        if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == activeBefore; }, 2000))
            qWarning("the window under the dialog did not become active again");
    }
}

// Types fileName into a file dialog and accepts it, as a person does once the
// folder shows: the dialog selects its proposed name again when it has read
// the folder (Qt 6.8 late enough to undo an earlier choice).
inline void chooseFile(QFileDialog *dialog, const QString &fileName)
{
    if (auto *folder = dialog->findChild<QFileSystemModel *>()) {
        QSignalSpy loaded(folder, &QFileSystemModel::directoryLoaded);
        loaded.wait(300);
    }
    if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
        name->setText(fileName);
    QMetaObject::invokeMethod(dialog, "accept");
}

// Presses the button named answer, or OK when there is no such button.
inline QList<ShownMessage> answeringMessages(const std::function<void()> &action,
                                             const QString &answer = QString())
{
    QList<ShownMessage> shown;
    answeringDialogs(action, [&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box)
            return;
        ShownMessage message{box->windowTitle(), box->text(), box->icon(), {}};
        QAbstractButton *press = box->button(QMessageBox::Ok);
        for (QAbstractButton *button : box->buttons()) {
            message.buttons << button->text();
            if (!answer.isEmpty() && button->text() == answer)
                press = button;
        }
        shown << message;
        // A question without OK nor the answer asked for is cancelled.
        if (press)
            press->click();
        else
            box->reject();
    });
    return shown;
}
