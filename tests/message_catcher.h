#pragma once

// Answers the modal message boxes an action opens, and tells what they said.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
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

// Presses the button named answer, or OK when there is no such button.
inline QList<ShownMessage> answeringMessages(const std::function<void()> &action,
                                             const QString &answer = QString())
{
    QList<ShownMessage> shown;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        ShownMessage message{box->windowTitle(), box->text(), box->icon(), {}};
        QAbstractButton *press = box->button(QMessageBox::Ok);
        for (QAbstractButton *button : box->buttons()) {
            message.buttons << button->text();
            if (!answer.isEmpty() && button->text() == answer)
                press = button;
        }
        shown << message;
        press->click();
    });
    QWidget *activeBefore = QApplication::activeWindow();
    poll.start();
    action();
    poll.stop();
    // The window under the message becomes active again, as a window manager
    // would make it; the headless platform leaves that to us.
    if (!shown.isEmpty() && activeBefore) {
        activeBefore->activateWindow();
        if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == activeBefore; }, 2000))
            qWarning("the window under the message did not become active again");
    }
    return shown;
}
