// The information window: its letter cycle, its OK button and the farewell.

#include "message_catcher.h"
#include "ui/common/fonts.h"
#include "ui/form1_driver.h"
#include "ui/information/frmlogin.h"

#include <QTimer>
#include <QtTest>

class TestFrmLogin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void letterCycle_data();
    void letterCycle();
    void cycleGoesOnWhileHidden();
    void enterHides();
    void okHasTheFocus();
    void farewellEndsProgram();
    void namesItsPlatform();
    void saysWhatItKeeps();

private:
    QString lettersShown() const;

    frmLogin *m_window = nullptr;
};

void TestFrmLogin::initTestCase()
{
    registerFontSubstitutes();
}

void TestFrmLogin::init()
{
    m_window = new frmLogin;
}

void TestFrmLogin::cleanup()
{
    delete m_window;
}

QString TestFrmLogin::lettersShown() const
{
    QString shown;
    for (const char *name : {"Label21", "Label22", "Label23", "Label24"}) {
        auto *letter = m_window->findChild<QLabel *>(name);
        if (!letter->isHidden())
            shown += letter->text();
    }
    return shown;
}

void TestFrmLogin::letterCycle_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("shown");
    QTest::newRow("loaded") << 0 << "";
    QTest::newRow("first tick hides all") << 1 << "";
    QTest::newRow("N") << 2 << "N";
    QTest::newRow("Ne") << 3 << "Ne";
    QTest::newRow("New") << 4 << "New";
    QTest::newRow("New0") << 5 << "New0";
    QTest::newRow("all vanish") << 6 << "";
    QTest::newRow("N again") << 7 << "N";
}

void TestFrmLogin::letterCycle()
{
    QFETCH(int, ticks);
    QFETCH(QString, shown);
    auto *timer = m_window->findChild<QTimer *>("Timer2");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 700);
    timer->stop();
    for (int tick = 0; tick < ticks; ++tick)
        m_window->tick();
    QCOMPARE(lettersShown(), shown);
}

void TestFrmLogin::cycleGoesOnWhileHidden()
{
    QVERIFY(showActive(m_window));
    QTest::mouseClick(m_window->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    // The real timer goes on ticking while the window is hidden.
    QTRY_VERIFY_WITH_TIMEOUT(m_window->letterStep() == 3, 5000);
    m_window->findChild<QTimer *>("Timer2")->stop();

    QVERIFY(showActive(m_window));
    QCOMPARE(m_window->letterStep(), 3);
    QCOMPARE(lettersShown(), QString("Ne"));
}

void TestFrmLogin::enterHides()
{
    QVERIFY(showActive(m_window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!m_window->isVisible());
    QVERIFY(showActive(m_window));
    QTest::keyClick(m_window->findChild<QLabel *>("Label10"), Qt::Key_Enter);
    QVERIFY(!m_window->isVisible());
}

void TestFrmLogin::okHasTheFocus()
{
    QVERIFY(showActive(m_window));
    QCOMPARE(QApplication::focusWidget(), m_window->findChild<QPushButton *>("cmdOK"));
    QVERIFY(m_window->findChild<QPushButton *>("cmdOK")->isDefault());
}

void TestFrmLogin::farewellEndsProgram()
{
    QLocale::setDefault(italianLocale());
    Form1 form;
    QVERIFY(showActive(&form));
    QVERIFY(showActive(m_window));
    QWidget *picture = m_window->findChild<QWidget *>("Picture1");

    int exitCode = -1;
    const auto messages = answeringMessages([&] {
        QTimer::singleShot(0, picture, [picture] { QTest::mouseDClick(picture, Qt::LeftButton); });
        QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
        exitCode = QApplication::exec();
    });
    QCOMPARE(exitCode, 0);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, QString("CHIUDI SESSIONE!"));
    QCOMPARE(messages[0].text, QString("Questa operazione ha innescato inevitabilmente l'uscita da "
                                       "questa applicazione!!! Arrivederci ..."));
    QCOMPARE(messages[0].icon, QMessageBox::Critical);
    QCOMPARE(messages[0].buttons.size(), 1);
    QVERIFY(!form.isVisible());
    QVERIFY(!m_window->isVisible());
}

void TestFrmLogin::namesItsPlatform()
{
#if defined(Q_OS_LINUX) && Q_PROCESSOR_WORDSIZE == 8
    QCOMPARE(m_window->findChild<QLabel *>("Label2")->text(),
             QString("Per sistemi Linux a 64 bit"));
#else
    QSKIP("written for 64-bit Linux");
#endif
}

// The program saves when the user asks: the window must not say it never does.
void TestFrmLogin::saysWhatItKeeps()
{
    QCOMPARE(m_window->findChild<QLabel *>("Label9")->text(),
             QString("Non invia alcun dato.\nSalva nell'archivio, stampa o salva il riepilogo "
                     "in PDF solo su richiesta."));
}

QTEST_MAIN(TestFrmLogin)
#include "tst_frmlogin.moc"
