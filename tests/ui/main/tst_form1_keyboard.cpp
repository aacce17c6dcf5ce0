// The main window from the keyboard alone, and what a screen reader hears.

#include "message_catcher.h"
#include "ui/form1_driver.h"

#include <QAccessible>
#include <QtTest>

class TestForm1Keyboard : public QObject, private Form1Fixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void developFromKeyboard();
    void inputNames_data();
    void inputNames();
    void resultsSpokenWithValues();

private:
    void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    void type(const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); }
};

void TestForm1Keyboard::initTestCase()
{
    registerFontSubstitutes();
}

void TestForm1Keyboard::init()
{
    QVERIFY(openForm());
}

void TestForm1Keyboard::cleanup()
{
    closeForm();
}

void TestForm1Keyboard::developFromKeyboard()
{
    QCOMPARE(m_driver->focusName(), QString("Text1"));
    type("Verdi Luca");
    press(Qt::Key_Tab);
    press(Qt::Key_Space); // Maschile
    press(Qt::Key_Tab);
    type("1.70");
    press(Qt::Key_Tab);
    type("70");
    press(Qt::Key_Tab);
    type("30");
    press(Qt::Key_Tab);
    press(Qt::Key_Right); // Moderata
    press(Qt::Key_Space);
    press(Qt::Key_Tab);
    press(Qt::Key_Right);
    press(Qt::Key_Space); // Normale
    press(Qt::Key_Tab);
    QCOMPARE(m_driver->focusName(), QString("Command1"));
    QCOMPARE(answeringMessages([this] { press(Qt::Key_Space); }).size(), 0);

    QVERIFY(m_driver->option("Option1")->isChecked());
    QVERIFY(m_driver->option("Option4")->isChecked());
    QVERIFY(m_driver->option("Option7")->isChecked());
    QCOMPARE(m_driver->caption("Label27"), QString("1,78"));
    QCOMPARE(m_driver->caption("Label34"), QString(" 3009.98 Kcal/giorno"));
}

void TestForm1Keyboard::inputNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("name") << "Text1"
                          << "Cognome e nome";
    QTest::newRow("height") << "Text3"
                            << "Altezza in metri";
    QTest::newRow("weight") << "Text2"
                            << "Peso reale in chilogrammi";
    QTest::newRow("age") << "Text4"
                         << "Età in anni";
    QTest::newRow("sex") << "Frame5"
                         << "Sesso";
    QTest::newRow("activity") << "Frame3"
                              << "Attività fisica";
    QTest::newRow("build") << "Frame4"
                           << "Costituzione corporea";
    QTest::newRow("an option") << "Option2"
                               << "Femminile";
    QTest::newRow("develop") << "Command1"
                             << "SVILUPPA ...";
}

void TestForm1Keyboard::inputNames()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QAccessibleInterface *spoken =
        QAccessible::queryAccessibleInterface(m_driver->widget(qPrintable(control)));
    QVERIFY(spoken);
    QCOMPARE(spoken->text(QAccessible::Name), name);
}

void TestForm1Keyboard::resultsSpokenWithValues()
{
    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    answeringMessages([this] { m_driver->press("Command1"); });
    const auto spoken = [this](const char *label) {
        return QAccessible::queryAccessibleInterface(m_driver->label(label))
            ->text(QAccessible::Name);
    };
    QCOMPARE(spoken("Label34"), QString("Fabbisogno energetico giornaliero, 2621.05 Kcal/giorno"));
    QCOMPARE(spoken("Label20"), QString("Il soggetto è, in Normopeso"));
    QCOMPARE(spoken("Label72"), QString("Glucidi, grammi, 425.92 g di Glucidi/giorno"));
    QCOMPARE(spoken("Label77"), QString("Fianchi ideali, 91 cm"));

    m_driver->press("Command5");
    QCOMPARE(spoken("Label16"), QString("Peso teorico"));
}

QTEST_MAIN(TestForm1Keyboard)
#include "tst_form1_keyboard.moc"
