#include "form1_driver.h"
#include "locales.h"
#include "message_catcher.h"
#include "report/printed_page.h"
#include "ui/program.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QTextBrowser>
#include <QtTest>

// "Come si calcola" through the program's own wiring: reached by mouse, by
// keyboard and from the report, following the development, and on paper.
class TestFrmCalcolo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void followsTheDevelopment_data();
    void followsTheDevelopment();
    void growingSubjectsOnTheReference_data();
    void growingSubjectsOnTheReference();
    void reachedByKeyboardAndFromTheReport();
    void savedAsPdf();

private:
    void develop(const QString &weight);
    QString working() const;

    QTemporaryDir m_data;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<Form1Driver> m_driver;
};

void TestFrmCalcolo::initTestCase()
{
    QVERIFY(m_data.isValid());
    qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
    qputenv("HOME", m_data.path().toLocal8Bit());
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
}

void TestFrmCalcolo::init()
{
    QLocale::setDefault(italianLocale());
    m_program = std::make_unique<Program>();
    m_program->splash().findChild<QTimer *>("Timer1")->stop();
    m_program->splash().hide();
    m_driver = std::make_unique<Form1Driver>(m_program->mainWindow());
    QVERIFY(showActive(m_program->mainWindow()));
}

void TestFrmCalcolo::cleanup()
{
    m_driver.reset();
    m_program.reset();
}

void TestFrmCalcolo::develop(const QString &weight)
{
    m_driver->enter("1.70", weight, "30", {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
}

QString TestFrmCalcolo::working() const
{
    frmCalcolo *window = m_program->workingWindow();
    return window ? window->findChild<QTextBrowser *>("txtCalcolo")->toPlainText() : QString();
}

void TestFrmCalcolo::followsTheDevelopment_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("metabolism");
    QTest::addColumn<QString>("again");
    QTest::newRow("Italian") << italianLocale() << "Maschi, 30-59 anni: 11,6 × 70 + 879 = 1691"
                             << "Maschi, 30-59 anni: 11,6 × 75,5 + 879 = 1754,8";
    QTest::newRow("English") << englishLocale() << "Maschi, 30-59 anni: 11.6 × 70 + 879 = 1691"
                             << "Maschi, 30-59 anni: 11.6 × 75.5 + 879 = 1754.8";
}

void TestFrmCalcolo::followsTheDevelopment()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, metabolism);
    QFETCH(QString, again);
    QLocale::setDefault(locale);
    QVERIFY(!m_driver->button("cmdCalcolo")->isEnabled());
    develop("70");
    QVERIFY(m_driver->button("cmdCalcolo")->isEnabled());
    m_driver->press("cmdCalcolo");
    QVERIFY(m_program->workingWindow() && m_program->workingWindow()->isVisible());
    QVERIFY2(working().contains(metabolism), qPrintable(working()));
    QVERIFY(working().contains("Metabolismo basale: 1691 Kcal/giorno"));
    QVERIFY(working().trimmed().endsWith("non sostituiscono il parere di un medico o di un "
                                         "dietista."));

    develop("75.5");
    QVERIFY2(working().contains(again), qPrintable(working()));
    QVERIFY(!working().contains(metabolism));

    // A development that stops leaves nothing to explain, and so does "NUOVO ...".
    m_driver->enter("2.50", "70", "30", {"Option1", "Option3", "Option7"});
    answeringMessages([this] { m_driver->press("Command1"); });
    QVERIFY(working().contains("Nessuno sviluppo da spiegare"));
    develop("70");
    QVERIFY(working().contains(metabolism));
    m_driver->press("Command5");
    QVERIFY(working().contains("Nessuno sviluppo da spiegare"));
    QVERIFY(!m_program->workingWindow()->findChild<QPushButton *>("cmdPdf")->isEnabled());
}

void TestFrmCalcolo::growingSubjectsOnTheReference_data()
{
    QTest::addColumn<QStringList>("subject"); // height, weight, age
    QTest::addColumn<QString>("shown");
    QTest::newRow("boy of 10")
        << QStringList{"1.40", "38", "10"}
        << "19,39 per Maschi, 126 mesi (OMS 2007): L -1,771, M 16,6786, S 0,10823";
    QTest::newRow("boy of 16") << QStringList{"1.75", "60", "16"}
                               << "per Maschi, 198 mesi (OMS 2007)";
    QTest::newRow("man of 40") << QStringList{"1.70", "70", "40"}
                               << "con i limiti dell'OMS: Normopeso";
}

void TestFrmCalcolo::growingSubjectsOnTheReference()
{
    QFETCH(QStringList, subject);
    QFETCH(QString, shown);
    m_driver->enter(subject[0], subject[1], subject[2], {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
    m_driver->press("cmdCalcolo");
    QVERIFY2(working().contains(shown), qPrintable(working()));
    QCOMPARE(working().contains("Growth Reference 5-19 anni (2007): indice"), true);
    QCOMPARE(working().contains("la metà dell'anno"), subject[2] != "40");
}

void TestFrmCalcolo::reachedByKeyboardAndFromTheReport()
{
    develop("70");
    // Tab from "Salva nell'archivio" reaches it; Space presses it.
    m_driver->button("cmdSalva")->setFocus();
    QTest::keyClick(m_program->mainWindow(), Qt::Key_Tab);
    QCOMPARE(m_driver->focusName(), QString("cmdCalcolo"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTRY_VERIFY(m_program->workingWindow() && m_program->workingWindow()->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), m_program->workingWindow());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!m_program->workingWindow()->isVisible());

    // The report's context menu, second entry.
    QWidget *report = m_driver->openReport();
    QVERIFY(report);
    QTimer chooseFromMenu;
    connect(&chooseFromMenu, &QTimer::timeout, [&] {
        if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            QTest::keyClick(popup, Qt::Key_Down);
            QTest::keyClick(popup, Qt::Key_Down);
            QTest::keyClick(popup, Qt::Key_Return);
        }
    });
    chooseFromMenu.start(5);
    QWidget *page = report->findChild<QLabel *>("Label12");
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            page->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(page, &click);
    QTRY_VERIFY(m_program->workingWindow()->isVisible());
    QVERIFY(working().contains("11,6 × 70 + 879 = 1691"));
}

void TestFrmCalcolo::savedAsPdf()
{
    develop("70");
    m_driver->press("cmdCalcolo");
    const QString pdf = m_data.filePath("calcolo.pdf");
    QString proposed;
    answeringDialogs(
        [this] { m_program->workingWindow()->findChild<QPushButton *>("cmdPdf")->click(); },
        [&](QWidget *modal) {
            if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
                chooseFile(dialog, pdf);
            }
        });
    QCOMPARE(proposed, QString("Nutrivo - calcolo Rossi Mario.pdf"));
    QCOMPARE(pdfPageCount(pdf), 1);
    QVERIFY(pdfPictures(pdf).isEmpty());
    const QString text = pdfText(pdf).simplified();
    for (const char *shown :
         {"Come si calcola", "Rossi Mario", "11,6 × 70 + 879 = 1691 Kcal/giorno",
          "(170 − 100) − (170 − 150) ÷ 4 = 65 Kg",
          "Protidi: 262,11 Kcal, 65.53 g di Protidi/giorno", "Riferimenti", "LARN"})
        QVERIFY2(text.contains(QString::fromUtf8(shown)), shown);
}

QTEST_MAIN(TestFrmCalcolo)
#include "tst_frmcalcolo.moc"
