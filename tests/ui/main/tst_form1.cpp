// The develop flow of the main window, driven through its controls.

#include "message_catcher.h"
#include "ui/form1_driver.h"

#include <QtTest>

class TestForm1Develop : public QObject, private Form1Fixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fullDevelopment_data();
    void fullDevelopment();
    void developmentTime_data();
    void developmentTime();
    void incompleteInputs_data();
    void incompleteInputs();
    void valuesNotNumeric();
    void implausibleValues_data();
    void implausibleValues();
    void decimalCommasBecomePoints();
    void commaHeightReadAsDecimal();
    void childAfterAdultHasNoCarriedFactor();
    void weightClassAtBoundIsWritten();
    void growingSubjectOnTheReference_data();
    void growingSubjectOnTheReference();

private:
    QList<ShownMessage> develop();
};

void TestForm1Develop::initTestCase()
{
    registerFontSubstitutes();
}

void TestForm1Develop::init()
{
    QVERIFY(openForm());
}

void TestForm1Develop::cleanup()
{
    closeForm();
}

QList<ShownMessage> TestForm1Develop::develop()
{
    return answeringMessages([this] { m_driver->press("Command1"); });
}

void TestForm1Develop::fullDevelopment_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("subject");  // height, weight, age of a man, "Leggera"
    QTest::addColumn<QStringList>("captions"); // label=caption

    const QStringList man{"1.70", "70", "30"};
    const QStringList common{
        "Label16= 65 Kg",
        "Label20=in Normopeso",
        "Label24=70.00 Kg",
        "Label25= 65 Kg",
        "Label31= 1691 Kcal/giorno",
        "Label34= 2621.05 Kcal/giorno",
        "Label49= 65.53 g di Protidi/giorno",
        "Label64= 72.81 g di Lipidi/giorno",
        "Label72= 425.92 g di Glucidi/giorno",
        "Label77= 91 cm",
        "Label79= 70 cm",
        "Label81= 56 cm",
    };
    QTest::newRow("italian") << italianLocale() << man
                             << common + QStringList{"Label18=24,22",   "Label27=1,55",
                                                     "Label43=2621,05", "Label58=2621,05",
                                                     "Label66=2621,05", "Label45=262,11",
                                                     "Label47=262,11",  "Label60=655,26",
                                                     "Label62=655,26",  "Label68=1.703,68",
                                                     "Label70=1.703,68"};
    QTest::newRow("english") << englishLocale() << man
                             << common + QStringList{"Label18=24.22",    "Label27=1.55",
                                                     "Label43=2621.05",  "Label45=262.11",
                                                     "Label47=262.11",   "Label60=655.26",
                                                     "Label68=1,703.68", "Label70=1,703.68"};
    // Figures that need their rounding steps: just below a half, three decimals.
    QTest::newRow("man 30 71 kg") << italianLocale() << QStringList{"1.70", "71", "30"}
                                  << QStringList{"Label49= 65.98 g di Protidi/giorno"};
    QTest::newRow("man 10 5 kg") << italianLocale() << QStringList{"1.70", "5", "10"}
                                 << QStringList{"Label34= 1218.53 Kcal/giorno"};
    QTest::newRow("man 20 71 kg") << italianLocale() << QStringList{"1.70", "71", "20"}
                                  << QStringList{"Label34= 2736.22 Kcal/giorno"};
}

void TestForm1Develop::fullDevelopment()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, subject);
    QFETCH(QStringList, captions);
    QLocale::setDefault(locale);

    m_driver->enter(subject[0], subject[1], subject[2], {"Option1", "Option3", "Option7"});
    QCOMPARE(develop().size(), 0);

    for (const QString &entry : captions) {
        const QString name = entry.section('=', 0, 0);
        QCOMPARE(m_driver->caption(qPrintable(name)), entry.section('=', 1));
    }
    for (const char *name : {"Frame2", "Frame6", "Frame7", "Label82", "Label37", "Label41"})
        QVERIFY2(m_driver->shown(name), name);
    QVERIFY(m_driver->button("Command2")->isEnabled());
    QCOMPARE(m_driver->box("Text1")->text(), QString("Rossi Mario"));
}

void TestForm1Develop::developmentTime_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("italian") << italianLocale();
    QTest::newRow("english") << englishLocale();
}

void TestForm1Develop::developmentTime()
{
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    const QDateTime before = QDateTime::currentDateTime();
    develop();
    const QDateTime after = QDateTime::currentDateTime();

    const QString date = m_driver->caption("Label51");
    QVERIFY2(date == locale.toString(before.date(), QLocale::ShortFormat) ||
                 date == locale.toString(after.date(), QLocale::ShortFormat),
             qPrintable(date));
    // Hours and minutes in the user's format, never a cut text.
    const QString time = m_driver->caption("Label53");
    QVERIFY2(!time.endsWith(':'), qPrintable(time));
    const QTime shown = locale.toTime(time, QLocale::ShortFormat);
    QVERIFY2(shown.isValid(), qPrintable(time));
    QVERIFY(shown.minute() == before.time().minute() || shown.minute() == after.time().minute());
    // The whole time is on screen, inside its frame.
    QLabel *label = m_driver->label("Label53");
    QVERIFY(label->width() >= label->sizeHint().width());
    QVERIFY(label->geometry().right() <= label->parentWidget()->contentsRect().right());
}

void TestForm1Develop::incompleteInputs_data()
{
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QStringList>("options");
    const QStringList all{"Option2", "Option4", "Option8"};
    QTest::newRow("no weight") << "1.70"
                               << ""
                               << "30" << all;
    QTest::newRow("no height") << ""
                               << "70"
                               << "30" << all;
    QTest::newRow("no age") << "1.70"
                            << "70"
                            << "" << all;
    QTest::newRow("weight not a number") << "1.70"
                                         << "abc"
                                         << "30" << all;
    QTest::newRow("no sex") << "1.70"
                            << "70"
                            << "30" << QStringList{"Option4", "Option8"};
    QTest::newRow("no activity") << "1.70"
                                 << "70"
                                 << "30" << QStringList{"Option2", "Option8"};
    QTest::newRow("no constitution") << "1.70"
                                     << "70"
                                     << "30" << QStringList{"Option2", "Option4"};
}

void TestForm1Develop::incompleteInputs()
{
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QString, age);
    QFETCH(QStringList, options);

    m_driver->enter(height, weight, age, {});
    for (const QString &name : options)
        m_driver->choose({qPrintable(name)});
    const auto messages = develop();

    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, QString("Attenzione!"));
    QCOMPARE(messages[0].text,
             QString("Bisogna inserire tutti i valori richiesti e selezionare tutte le opzioni"));
    QCOMPARE(messages[0].icon, QMessageBox::Warning);
    QCOMPARE(messages[0].buttons.size(), 1);

    for (const char *name : {"Text1", "Text2", "Text3", "Text4"})
        QVERIFY2(m_driver->box(name)->text().isEmpty(), name);
    for (const char *name :
         {"Option1", "Option2", "Option3", "Option4", "Option5", "Option6", "Option7", "Option8"})
        QVERIFY2(!m_driver->option(name)->isChecked(), name);
    for (const char *name : {"Frame2", "Frame6", "Frame7", "Label82", "Label37"})
        QVERIFY2(!m_driver->shown(name), name);
    QVERIFY(!m_driver->button("Command2")->isEnabled());
    QCOMPARE(m_driver->focusName(), QString("Text1"));
}

void TestForm1Develop::valuesNotNumeric()
{
    m_driver->enter("1.70", "70", "ab", {"Option1", "Option3", "Option7"});
    const auto messages = develop();

    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, QString("Errore"));
    QCOMPARE(messages[0].text, QString("I valori inseriti nelle caselle di testo non sono validi: "
                                       "Ripetere l'operazione!"));
    QCOMPARE(messages[0].icon, QMessageBox::Warning);
    // The circumferences were written before the check, then hidden by the reset.
    QCOMPARE(m_driver->caption("Label77"), QString(" 91 cm"));
    QVERIFY(!m_driver->shown("Frame7"));
    QVERIFY(m_driver->box("Text3")->text().isEmpty());
    QVERIFY(!m_driver->option("Option1")->isChecked());
    QVERIFY(!m_driver->button("Command2")->isEnabled());
    QCOMPARE(m_driver->focusName(), QString("Command1"));
}

void TestForm1Develop::implausibleValues_data()
{
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QString>("emptiedBox");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("framesOpen"); // a height of 0 or less is refused before anything

    const QString height = "Il valore inserito nella casella relativa all'altezza non è "
                           "attendibile. Ripetere l'operazione!";
    QTest::newRow("height above 2.3") << "2.31"
                                      << "70"
                                      << "30"
                                      << "Text3" << height << true;
    QTest::newRow("height zero") << "0"
                                 << "70"
                                 << "30"
                                 << "Text3" << height << false;
    QTest::newRow("height negative") << "-1"
                                     << "70"
                                     << "30"
                                     << "Text3" << height << false;
    QTest::newRow("weight zero") << "1.70"
                                 << "0"
                                 << "30"
                                 << "Text2"
                                 << "Il valore inserito nella casella relativa al peso non è "
                                    "attendibile. Ripetere l'operazione!"
                                 << true;
    QTest::newRow("age negative") << "1.70"
                                  << "70"
                                  << "-1"
                                  << "Text4"
                                  << "Il valore inserito nella casella relativa all'età non è "
                                     "attendibile. Ripetere l'operazione!"
                                  << true;
    QTest::newRow("height at 2.3 passes") << "2.3"
                                          << "70"
                                          << "30"
                                          << ""
                                          << "" << true;
    QTest::newRow("age zero passes") << "1.70"
                                     << "70"
                                     << "0"
                                     << ""
                                     << "" << true;
}

void TestForm1Develop::implausibleValues()
{
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QString, age);
    QFETCH(QString, emptiedBox);
    QFETCH(QString, text);
    QFETCH(bool, framesOpen);

    m_driver->enter(height, weight, age, {"Option1", "Option3", "Option7"});
    const auto messages = develop();

    if (emptiedBox.isEmpty()) {
        QCOMPARE(messages.size(), 0);
        QVERIFY(m_driver->caption("Label34").endsWith(" Kcal/giorno"));
        return;
    }
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, QString("Attenzione"));
    QCOMPARE(messages[0].text, text);
    QCOMPARE(messages[0].icon, QMessageBox::Warning);

    const QByteArray emptied = emptiedBox.toLatin1();
    QVERIFY(m_driver->box(emptied)->text().isEmpty());
    QCOMPARE(m_driver->focusName(), emptiedBox);
    for (const char *name : {"Text1", "Text2", "Text3", "Text4"}) {
        if (emptied != name)
            QVERIFY2(!m_driver->box(name)->text().isEmpty(), name);
    }
    // What ran before the check stays: the result frames and the print command.
    for (const char *frame : {"Frame2", "Frame6", "Frame7"})
        QCOMPARE(m_driver->shown(frame), framesOpen);
    QCOMPARE(m_driver->caption("Label16"), QString());
    if (framesOpen)
        QVERIFY(m_driver->button("Command2")->isEnabled());
    else
        QCOMPARE(m_driver->caption("Label79"), QString("Label79"));
}

void TestForm1Develop::decimalCommasBecomePoints()
{
    m_driver->enter("1,80", "72,5", "30", {"Option2", "Option4", "Option6"});
    develop();
    QCOMPARE(m_driver->box("Text2")->text(), QString("72.5"));
    QCOMPARE(m_driver->box("Text3")->text(), QString("1.80"));
    QCOMPARE(m_driver->caption("Label24"), QString("72.5 Kg"));
    QCOMPARE(m_driver->caption("Label16"), QString(" 65 Kg"));
    QCOMPARE(m_driver->caption("Label31"), QString(" 1459.75 Kcal/giorno"));
}

void TestForm1Develop::commaHeightReadAsDecimal()
{
    // Written straight into the box, so the check on leaving it has not run.
    m_driver->enter("1.00", "70", "30", {"Option1", "Option3", "Option7"});
    m_driver->box("Text3")->setText("1,75");
    answeringMessages([this] { m_driver->button("Command1")->click(); });
    QCOMPARE(m_driver->caption("Label77"), QString(" 93 cm"));
    QCOMPARE(m_driver->caption("Label79"), QString(" 72 cm"));
    QCOMPARE(m_driver->caption("Label81"), QString(" 58 cm"));
}

void TestForm1Develop::childAfterAdultHasNoCarriedFactor()
{
    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    develop();
    QCOMPARE(m_driver->caption("Label27"), QString("1,55"));

    m_driver->type("Text2", "20");
    m_driver->type("Text4", "8");
    m_driver->box("Text3")->setFocus();
    develop();
    QCOMPARE(m_driver->caption("Label31"), QString(" 958 Kcal/giorno"));
    QCOMPARE(m_driver->caption("Label27"), QString());
    QCOMPARE(m_driver->caption("Label34"), QString(" 0 Kcal/giorno"));
    QCOMPARE(m_driver->caption("Label45"), QString("0,00"));
    QCOMPARE(m_driver->caption("Label72"), QString(" 0 g di Glucidi/giorno"));
}

void TestForm1Develop::weightClassAtBoundIsWritten()
{
    m_driver->enter("1.50", "45", "30", {"Option1", "Option3", "Option7"});
    develop();
    QCOMPARE(m_driver->caption("Label20"), QString("in Normopeso"));
    QCOMPARE(m_driver->caption("Label18"), QString("20,00"));
}

void TestForm1Develop::growingSubjectOnTheReference_data()
{
    QTest::addColumn<QStringList>("subject"); // height, weight, age, sex option
    QTest::addColumn<QString>("idealWeight");
    QTest::addColumn<QString>("weightClass");
    QTest::addColumn<QString>("line");    // empty: the row of stars
    QTest::addColumn<QString>("printed"); // the report's line
    QTest::newRow("girl of 4, at risk")
        << QStringList{"1.02", "19", "4", "Option2"} << " 15.87 Kg"
        << "in Normopeso"
        << "OMS 2006: z +1,80, 96,4° centile"
        << "OMS 2006: z +1,80, 96,4° centile, a rischio di sovrappeso";
    QTest::newRow("boy of 10") << QStringList{"1.40", "38", "10", "Option1"} << " 32.69 Kg"
                               << "in Sovrappeso"
                               << "OMS 2007: z +1,22, 88,9° centile"
                               << "OMS 2007: z +1,22, 88,9° centile";
    QTest::newRow("girl of 17") << QStringList{"1.60", "50", "17", "Option2"} << " 54.17 Kg"
                                << "in Normopeso"
                                << "OMS 2007: z -0,58, 28,1° centile"
                                << "OMS 2007: z -0,58, 28,1° centile";
    // The longest lines the row must hold whole.
    QTest::newRow("boy of 16, far above")
        << QStringList{"1.60", "110", "16", "Option1"} << " 53.32 Kg"
        << "Obeso"
        << "OMS 2007: z +4,19, > 99,9° centile"
        << "OMS 2007: z +4,19, > 99,9° centile";
    QTest::newRow("girl of 8, far below")
        << QStringList{"1.20", "16", "8", "Option2"} << " 22.86 Kg"
        << "in Sottopeso"
        << "OMS 2007: z -3,85, < 0,1° centile"
        << "OMS 2007: z -3,85, < 0,1° centile";
    QTest::newRow("infant") << QStringList{"0.75", "9", "1", "Option1"} << "non definito"
                            << "in età < 2 anni"
                            << "Sotto i 2 anni nessuna classe"
                            << "Sotto i 2 anni nessuna classe";
    QTest::newRow("man of 18") << QStringList{"1.70", "70", "18", "Option1"} << " 65 Kg"
                               << "in Normopeso"
                               << ""
                               << "";
}

void TestForm1Develop::growingSubjectOnTheReference()
{
    QFETCH(QStringList, subject);
    QFETCH(QString, idealWeight);
    QFETCH(QString, weightClass);
    QFETCH(QString, line);
    QFETCH(QString, printed);
    QLocale::setDefault(italianLocale());
    // An earlier subject's line never stays behind.
    m_driver->enter("1.40", "38", "10", {"Option1", "Option3", "Option7"});
    develop();
    m_driver->enter(subject[0], subject[1], subject[2],
                    {qPrintable(subject[3]), "Option3", "Option7"});
    QCOMPARE(develop().size(), 0);
    QCOMPARE(m_driver->caption("Label16"), idealWeight);
    QCOMPARE(m_driver->caption("Label25"), idealWeight);
    QCOMPARE(m_driver->caption("Label20"), weightClass);
    QCOMPARE(m_driver->caption("Label83"), line);
    QCOMPARE(m_driver->shown("Label83"), !line.isEmpty());
    QCOMPARE(m_driver->shown("Label21"), line.isEmpty());
    const QLabel *lineLabel = m_driver->label("Label83");
    QVERIFY(lineLabel->fontMetrics().horizontalAdvance(line) <= lineLabel->width());

    QWidget *report = m_driver->openReport();
    QVERIFY(report);
    QTRY_COMPARE(report->findChild<QLabel *>("Label27")->text(), weightClass);
    QCOMPARE(report->findChild<QLabel *>("Label55")->text(), printed);
    report->close();

    m_driver->press("Command5");
    QVERIFY(!m_driver->shown("Label83"));
    QVERIFY(m_driver->shown("Label21"));
}

QTEST_MAIN(TestForm1Develop)
#include "tst_form1.moc"
