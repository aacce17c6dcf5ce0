#pragma once

// Drives the main window as a person would: by its controls' names.

#include "locales.h"
#include "ui/common/fonts.h"
#include "ui/main/form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>
#include <memory>

// Shows a window and waits until it is the active one, as after a click on it.
inline bool showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return false;
    // The headless platform keeps a window focused while it is hidden, so
    // showing it again brings no activation of its own: the focus goes to a
    // bare window of the test's for a moment, as to another application, and
    // comes back.
    if (QApplication::activeWindow() != window &&
        QGuiApplication::focusWindow() == window->windowHandle()) {
        QWindow elsewhere;
        elsewhere.setGeometry(0, 0, 8, 8);
        elsewhere.show();
        elsewhere.requestActivate();
        if (!QTest::qWaitForWindowActive(&elsewhere))
            return false;
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            return false;
    }
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

class Form1Driver
{
public:
    explicit Form1Driver(Form1 *form) : m_form(form) {}

    QLineEdit *box(const char *name) const { return find<QLineEdit>(name); }
    QLabel *label(const char *name) const { return find<QLabel>(name); }
    QRadioButton *option(const char *name) const { return find<QRadioButton>(name); }
    QPushButton *button(const char *name) const { return find<QPushButton>(name); }
    QWidget *widget(const char *name) const { return find<QWidget>(name); }
    QString caption(const char *name) const { return label(name)->text(); }
    bool shown(const char *name) const { return !widget(name)->isHidden(); }

    // Types into a box that has the focus, as keys.
    void type(const char *name, const QString &text) const
    {
        QLineEdit *target = box(name);
        target->setFocus(Qt::OtherFocusReason);
        target->selectAll();
        QTest::keyClicks(target, text);
    }

    void choose(std::initializer_list<const char *> options) const
    {
        for (const char *name : options)
            QTest::mouseClick(option(name), Qt::LeftButton, {}, QPoint(6, 8));
    }

    void press(const char *name) const { QTest::mouseClick(button(name), Qt::LeftButton); }

    // "Stampa sviluppo": the report window it shows.
    QWidget *openReport() const
    {
        press("Command2");
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == "Form2" && window->isVisible())
                return window;
        }
        return nullptr;
    }

    // Name, height, weight and age typed; the options chosen.
    void enter(const QString &height, const QString &weight, const QString &age,
               std::initializer_list<const char *> options) const
    {
        type("Text1", "Rossi Mario");
        type("Text3", height);
        type("Text2", weight);
        type("Text4", age);
        choose(options);
    }

    // The control that has the focus whenever the window is active.
    QString focusName() const
    {
        return m_form->focusWidget() ? m_form->focusWidget()->objectName() : QString();
    }

private:
    template <typename T>
    T *find(const char *name) const
    {
        T *found = m_form->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    Form1 *m_form;
};

// A fresh main window for each test function, shown and active, in Italian.
class Form1Fixture
{
protected:
    bool openForm()
    {
        QLocale::setDefault(italianLocale());
        m_form = std::make_unique<Form1>();
        m_driver = std::make_unique<Form1Driver>(m_form.get());
        return showActive(m_form.get());
    }

    // A man of 30, 1.70 m and 70 kg developed, and his report opened and active.
    QWidget *openDevelopedReport()
    {
        m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
        m_driver->press("Command1");
        m_driver->press("Command2");
        QWidget *report = nullptr;
        const bool opened = QTest::qWaitFor([&] {
            report = QApplication::activeWindow();
            return report && report != m_form.get();
        });
        return opened ? report : nullptr;
    }

    void closeForm()
    {
        m_driver.reset();
        m_form.reset();
    }

    std::unique_ptr<Form1> m_form;
    std::unique_ptr<Form1Driver> m_driver;
};
