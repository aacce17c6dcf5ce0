// What one development costs: the engine alone and the whole window handler,
// and whether thousands of them leave the memory where it was.

#include "assessment/developed.h"
#include "process_memory.h"
#include "ui/form1_driver.h"

#include <QtTest>

class BenchDevelop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void engineDevelopment_data();
    void engineDevelopment();
    void windowDevelopment_data();
    void windowDevelopment();
    void memoryStaysFlat();

private:
    Form1 *m_form = nullptr;
};

void BenchDevelop::initTestCase()
{
    registerFontSubstitutes();
    QLocale::setDefault(italianLocale());
}

void BenchDevelop::init()
{
    m_form = new Form1;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    Form1Driver(m_form).enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
}

void BenchDevelop::cleanup()
{
    delete m_form;
}

// An adult, and a boy placed on the growth reference.
void BenchDevelop::engineDevelopment_data()
{
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("age");
    QTest::newRow("adult") << "1.70"
                           << "30";
    QTest::newRow("boy of 10") << "1.40"
                               << "10";
}

void BenchDevelop::engineDevelopment()
{
    QFETCH(QString, height);
    QFETCH(QString, age);
    const assessment::SubjectData subject{"Rossi Mario",
                                          height.toStdString(),
                                          "70",
                                          age.toStdString(),
                                          assessment::Sex::Maschile,
                                          assessment::ActivityLevel::Leggera,
                                          assessment::Constitution::Normale};
    QBENCHMARK
    {
        const auto data = assessment::develop(subject, italian());
        QVERIFY(!data.split.glucidi.gramsText.empty());
    }
}

void BenchDevelop::windowDevelopment_data()
{
    engineDevelopment_data();
}

void BenchDevelop::windowDevelopment()
{
    QFETCH(QString, height);
    QFETCH(QString, age);
    // Two subjects in turn, so that every development rewrites its captions.
    const Form1Driver driver(m_form);
    driver.box("Text3")->setText(height);
    driver.box("Text4")->setText(age);
    QLineEdit *weight = driver.box("Text2");
    QPushButton *develop = driver.button("Command1");
    int round = 0;
    QBENCHMARK
    {
        weight->setText(++round % 2 ? "70" : "71");
        develop->click();
    }
    QVERIFY(driver.caption("Label34").endsWith(" Kcal/giorno"));
}

void BenchDevelop::memoryStaysFlat()
{
    const Form1Driver driver(m_form);
    QLineEdit *weight = driver.box("Text2");
    QPushButton *develop = driver.button("Command1");
    const auto developMany = [&](int count) {
        for (int i = 0; i < count; ++i) {
            weight->setText(i % 2 ? "70" : "71");
            develop->click();
            if (i % 100 == 0)
                QCoreApplication::processEvents();
        }
    };
    developMany(1000); // caches and fonts settle
    const long before = residentKilobytes();
    developMany(10000);
    const long after = residentKilobytes();
    qInfo("resident memory: %ld kB before, %ld kB after 10000 developments", before, after);
#ifdef NUTRIVO_SANITIZED
    QSKIP("the sanitizers keep freed memory in quarantine");
#endif
    QVERIFY2(after - before < 1024, "memory grew by more than 1 MB");
}

QTEST_MAIN(BenchDevelop)
#include "bench_develop.moc"
