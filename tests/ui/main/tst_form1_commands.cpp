// The main window as it opens, its commands and the check on leaving the height.

#include "message_catcher.h"
#include "ui/form1_driver.h"

#include <QtTest>

class TestForm1Commands : public QObject, private Form1Fixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startState();
    void tabOrder_data();
    void tabOrder();
    void lengthLimits_data();
    void lengthLimits();
    void heightCheckOnLeaving_data();
    void heightCheckOnLeaving();
    void heightCheckRunsWithoutChange();
    void newFormOnDeveloped();
    void newFormOnBlank();
    void printCommandNeedsDevelopment();
    void windowsOpenOnce();
    void resizingMovesNothing();
    void endingCommands_data();
    void endingCommands();
    void missingControlStops_data();
    void missingControlStops();

private:
    void develop();
};

void TestForm1Commands::initTestCase()
{
    registerFontSubstitutes();
}

void TestForm1Commands::init()
{
    QVERIFY(openForm());
}

void TestForm1Commands::cleanup()
{
    closeForm();
}

void TestForm1Commands::develop()
{
    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    QCOMPARE(answeringMessages([this] { m_driver->press("Command1"); }).size(), 0);
}

void TestForm1Commands::startState()
{
    QCOMPARE(m_form->windowTitle(), QString("Nutrivo"));
    QCOMPARE(m_driver->focusName(), QString("Text1"));
    for (const char *name : {"Frame2", "Frame6", "Frame7", "Label37", "Label38", "Label39",
                             "Label40", "Label41", "Label82"})
        QVERIFY2(!m_driver->widget(name)->isVisible(), name);
    for (const char *name :
         {"Frame1", "Picture1", "Label73", "Label54", "Label55", "Label56", "Label75", "Command2"})
        QVERIFY2(m_driver->widget(name)->isVisible(), name);
    for (const char *name :
         {"Option1", "Option2", "Option3", "Option4", "Option5", "Option6", "Option7", "Option8"})
        QVERIFY2(!m_driver->option(name)->isChecked(), name);
    QVERIFY(m_driver->button("Command2")->isEnabled());
    QCOMPARE(m_driver->caption("Label31"), QString("f"));
    QCOMPARE(m_driver->caption("Label16"), QString());
    QCOMPARE(m_driver->caption("Label81"), QString("Label81"));
    QCOMPARE(m_driver->widget("Text3")->geometry(), QRect(64, 64, 33, 19));
    // The legal notice is read whole, never cut by its box.
    QLabel *notice = m_driver->label("Label75");
    QVERIFY(notice->heightForWidth(notice->width()) <= notice->height());
}

void TestForm1Commands::tabOrder_data()
{
    QTest::addColumn<QString>("sexChosen");
    QTest::addColumn<QStringList>("order");
    const QStringList rest{"Text3",    "Text2",    "Text4",    "Option3",  "Option6", "Command1",
                           "Command2", "Command3", "Command4", "Command5", "cmdArchivio",
                           "Text1"}; // "Salva nell'archivio" waits for a development
    QTest::newRow("no sex chosen") << "" << QStringList{"Option1"} + rest;
    QTest::newRow("the chosen sex") << "Option2" << QStringList{"Option2"} + rest;
}

void TestForm1Commands::tabOrder()
{
    QFETCH(QString, sexChosen);
    QFETCH(QStringList, order);
    if (!sexChosen.isEmpty())
        m_driver->option(qPrintable(sexChosen))->setChecked(true);
    m_driver->box("Text1")->setFocus();

    QStringList visited;
    for (int i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << m_driver->focusName();
    }
    QCOMPARE(visited, order);

    QStringList back;
    for (int i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        back << m_driver->focusName();
    }
    std::reverse(order.begin(), order.end());
    QCOMPARE(back, order.mid(1) + QStringList{order.first()});
}

void TestForm1Commands::lengthLimits_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("limit");
    QTest::newRow("name") << "Text1" << 25;
    QTest::newRow("height") << "Text3" << 4;
    QTest::newRow("weight") << "Text2" << 5;
    QTest::newRow("age") << "Text4" << 2;
}

void TestForm1Commands::lengthLimits()
{
    QFETCH(QString, box);
    QFETCH(int, limit);
    m_driver->type(qPrintable(box), QString(30, '1'));
    QCOMPARE(m_driver->box(qPrintable(box))->text().size(), limit);
}

void TestForm1Commands::heightCheckOnLeaving_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("after");
    QTest::newRow("2.5 passes") << "2.5" << false << "2.5";
    QTest::newRow("2.51 refused") << "2.51" << true << "";
    QTest::newRow("2,6 refused") << "2,6" << true << "";
    QTest::newRow("1,80 pointed") << "1,80" << false << "1.80";
    QTest::newRow("centimetres refused") << "180" << true << "";
    QTest::newRow("empty passes") << "" << false << "";
    QTest::newRow("zero passes") << "0" << false << "0";
    QTest::newRow("negative passes") << "-1" << false << "-1";
    QTest::newRow("text passes") << "abc" << false << "abc";
}

void TestForm1Commands::heightCheckOnLeaving()
{
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    QFETCH(QString, after);

    m_driver->type("Text2", "72,5");
    m_driver->type("Text3", typed);
    const auto messages =
        answeringMessages([this] { QTest::keyClick(m_driver->box("Text3"), Qt::Key_Tab); });

    QCOMPARE(messages.size(), refused ? 1 : 0);
    if (refused) {
        QCOMPARE(messages[0].title, QString("Inserimento"));
        QCOMPARE(messages[0].text, QString("Il valore inserito nella casella relativa "
                                           "all'altezza non è valido. Ripetere l'inserimento, "
                                           "grazie!"));
        QCOMPARE(messages[0].icon, QMessageBox::Warning);
        QCOMPARE(messages[0].buttons.size(), 1);
    }
    QCOMPARE(m_driver->box("Text3")->text(), after);
    QCOMPARE(m_driver->focusName(), QString(refused ? "Text3" : "Text2"));
    QCOMPARE(m_driver->box("Text2")->text(), QString("72.5"));
}

void TestForm1Commands::heightCheckRunsWithoutChange()
{
    // The box is left twice with the same text: both times it is checked.
    m_driver->box("Text3")->setText("2.6");
    for (int round = 0; round < 2; ++round) {
        m_driver->box("Text3")->setText("2.6");
        m_driver->box("Text3")->setFocus();
        const auto messages =
            answeringMessages([this] { m_driver->box("Text2")->setFocus(Qt::MouseFocusReason); });
        QCOMPARE(messages.size(), 1);
    }
}

void TestForm1Commands::newFormOnDeveloped()
{
    develop();
    m_driver->box("Text2")->setFocus();
    QCOMPARE(answeringMessages([this] { m_driver->button("Command5")->click(); }).size(), 0);

    for (const char *name : {"Text1", "Text2", "Text3", "Text4"})
        QVERIFY2(m_driver->box(name)->text().isEmpty(), name);
    for (const char *name : {"Option1", "Option3", "Option7"})
        QVERIFY2(!m_driver->option(name)->isChecked(), name);
    for (const char *name : {"Frame2", "Frame6", "Frame7", "Label82", "Label37", "Label41"})
        QVERIFY2(!m_driver->shown(name), name);
    for (const char *name : {"Label16", "Label18", "Label20", "Label24", "Label25", "Label27"})
        QVERIFY2(m_driver->caption(name).isEmpty(), name);
    // The captions of the hidden frames stay for the report.
    QCOMPARE(m_driver->caption("Label34"), QString(" 2621.05 Kcal/giorno"));
    QVERIFY(!m_driver->button("Command2")->isEnabled());
    QCOMPARE(m_driver->focusName(), QString("Text2"));
}

void TestForm1Commands::newFormOnBlank()
{
    const QPixmap before = m_form->grab();
    QCOMPARE(answeringMessages([this] { m_driver->button("Command5")->click(); }).size(), 0);
    QVERIFY(!m_driver->button("Command2")->isEnabled());
    m_driver->button("Command2")->setEnabled(true);
    QCOMPARE(m_form->grab().toImage(), before.toImage());
}

void TestForm1Commands::printCommandNeedsDevelopment()
{
    const auto reports = [] {
        int count = 0;
        for (QWidget *window : QApplication::topLevelWidgets())
            count += window->objectName() == "Form2" && window->isVisible();
        return count;
    };
    QCOMPARE(answeringMessages([this] { m_driver->press("Command2"); }).size(), 0);
    QCOMPARE(reports(), 0);
    develop();
    m_driver->press("Command2");
    QCOMPARE(reports(), 1);
}

void TestForm1Commands::windowsOpenOnce()
{
    develop();
    for (const char *command : {"Command2", "Command3", "Command2", "Command3"})
        m_driver->press(command);
    QStringList names;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            names << window->objectName();
    }
    names.sort();
    QCOMPARE(names, QStringList({"Form1", "Form2", "frmLogin"}));
}

void TestForm1Commands::resizingMovesNothing()
{
    const QRect before = m_driver->widget("Frame6")->geometry();
    m_form->resize(900, 700);
    QTest::qWait(10);
    QCOMPARE(m_driver->widget("Frame6")->geometry(), before);
}

void TestForm1Commands::endingCommands_data()
{
    QTest::addColumn<bool>("fromTitleBar");
    QTest::newRow("Chiudi sessione") << false;
    QTest::newRow("title bar") << true;
}

void TestForm1Commands::endingCommands()
{
    QFETCH(bool, fromTitleBar);
    develop();
    m_driver->press("Command3");
    QTimer::singleShot(0, m_form.get(), [this, fromTitleBar] {
        if (fromTitleBar)
            m_form->close();
        else
            m_driver->button("Command4")->click();
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    // The program's event loop ends at the request.
    QCOMPARE(QApplication::exec(), 0);
    for (QWidget *window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

void TestForm1Commands::missingControlStops_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("renamed row") << "Label999"
                                 << "the window's plan has no QLabel named \"Label999\"";
    QTest::newRow("other kind") << "Text3"
                                << "the window's plan has no QLabel named \"Text3\"";
}

// In every build, a look-up the plan cannot answer ends the program there and
// then, naming the control; the look-up runs in a copy of this test.
void TestForm1Commands::missingControlStops()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    if (qEnvironmentVariableIsSet("NUTRIVO_LOOK_UP")) {
        const Controls controls = buildControls(m_form.get(), {{"Text3", plan::TextBox}});
        controls.get<QLabel>(qEnvironmentVariable("NUTRIVO_LOOK_UP"));
        QFAIL("the look-up returned");
    }
    QProcess copy;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("NUTRIVO_LOOK_UP", name);
    environment.insert("QTEST_DISABLE_STACK_DUMP", "1");
    copy.setProcessEnvironment(environment);
    copy.setProcessChannelMode(QProcess::MergedChannels);
    copy.start(QCoreApplication::applicationFilePath(),
               {QString("missingControlStops:%1").arg(QTest::currentDataTag())});
    QVERIFY(copy.waitForFinished(30000));
    QCOMPARE(copy.exitStatus(), QProcess::CrashExit);
    const QString said = QString::fromLocal8Bit(copy.readAll());
    QVERIFY2(said.contains(message), qPrintable(said));
}

QTEST_MAIN(TestForm1Commands)
#include "tst_form1_commands.moc"
