// Thousands of random actions on the main window: any text typed or pasted,
// options, commands, the other windows opened and closed. After each one the
// window must still hold together, and memory must stay flat.

#include "message_catcher.h"
#include "process_memory.h"
#include "ui/form1_driver.h"

#include <QElapsedTimer>
#include <QPixmapCache>
#include <QRandomGenerator>
#include <QtTest>
#include <malloc.h>

namespace {

const QStringList boxes{"Text1", "Text2", "Text3", "Text4"};
const QStringList options{"Option1", "Option2", "Option3", "Option4",
                          "Option5", "Option6", "Option7", "Option8"};
const QStringList commands{"Command1", "Command2", "Command3", "Command5"};
const QString alphabet = QStringLiteral("0123456789.,.,+- eE\tabcxyzàè€Ωあ\"'%&<>");
const QStringList samples{"1.70", "1,80", "70", "72,5", "30",    "2.31", "0",
                          "-1",   "2,6",  ".5", "9e9",  "1.000", ""};

} // namespace

class TestForm1Random : public QObject, private Form1Fixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void randomActions();

private:
    QString randomText();
    void act();
    void checkHoldsTogether(int step);
    int windowsNamed(const QString &name) const;

    QRandomGenerator m_random;
};

void TestForm1Random::initTestCase()
{
    registerFontSubstitutes();
    QLocale::setDefault(italianLocale());
    const quint32 seed = qEnvironmentVariableIsSet("NUTRIVO_SEED")
                             ? quint32(qEnvironmentVariableIntValue("NUTRIVO_SEED"))
                             : QRandomGenerator::global()->generate();
    qInfo("seed %u (repeat with NUTRIVO_SEED=%u)", seed, seed);
    m_random.seed(seed);
}

QString TestForm1Random::randomText()
{
    if (m_random.bounded(3) == 0)
        return samples[m_random.bounded(int(samples.size()))];
    QString text;
    const int length = m_random.bounded(8);
    for (int i = 0; i < length; ++i)
        text += alphabet[m_random.bounded(int(alphabet.size()))];
    return text;
}

int TestForm1Random::windowsNamed(const QString &name) const
{
    int count = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        count += window->objectName() == name;
    return count;
}

void TestForm1Random::act()
{
    switch (m_random.bounded(8)) {
    case 0:
    case 1: { // typed, one key at a time
        QLineEdit *box = m_driver->box(qPrintable(boxes[m_random.bounded(4)]));
        box->setFocus(Qt::OtherFocusReason);
        if (m_random.bounded(2))
            box->selectAll();
        for (const QChar c : randomText())
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        break;
    }
    case 2: // pasted
        m_driver->box(qPrintable(boxes[m_random.bounded(4)]))->insert(randomText());
        break;
    case 3:
        m_driver->choose({qPrintable(options[m_random.bounded(8)])});
        break;
    case 4:
    case 5:
        m_driver->button(qPrintable(commands[m_random.bounded(4)]))->click();
        break;
    case 6: // another window closed, the main one active again
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window != m_form.get() && window->isVisible())
                window->close();
        }
        showActive(m_form.get());
        break;
    case 7:
        if (QWidget *focus = QApplication::focusWidget())
            QTest::keyClick(focus, m_random.bounded(2) ? Qt::Key_Tab : Qt::Key_Backtab);
        break;
    }
}

void TestForm1Random::checkHoldsTogether(int step)
{
    const QByteArray where = "after action " + QByteArray::number(step);
    const bool printEnabled = m_driver->button("Command2")->isEnabled();
    for (const char *frame : {"Frame2", "Frame6", "Frame7"}) {
        if (m_driver->shown(frame))
            QVERIFY2(printEnabled, where + ": results shown with printing disabled");
    }
    QVERIFY2(windowsNamed("Form2") <= 1, where);
    QVERIFY2(windowsNamed("frmLogin") <= 1, where);
    for (QLabel *label : m_form->findChildren<QLabel *>()) {
        const QString text = label->text().toLower();
        QVERIFY2(!text.contains("nan") && !text.contains("inf"),
                 where + ": " + label->objectName().toLatin1() + " shows " + text.toUtf8());
    }
    QVERIFY2(m_driver->box("Text3")->text().size() <= 4, where);
}

void TestForm1Random::init()
{
    QVERIFY(openForm());
}

void TestForm1Random::cleanup()
{
    closeForm();
}

void TestForm1Random::randomActions()
{
    constexpr int actions = 10000;
    constexpr int settled = 1000;
    long memoryAtSettled = 0;
    QElapsedTimer clock;
    clock.start();
    int step = 0;
    qsizetype messages = 0;
    // The style's pictures of controls fill Qt's pixmap cache up to its bound
    // (10 MB; Qt 6.8 keeps more of them than 6.4): not what is measured here.
    // Emptied, and what it held handed back to the system.
    const auto memoryNow = [] {
        QPixmapCache::clear();
        malloc_trim(0);
        return residentKilobytes();
    };
    for (; step < actions && clock.elapsed() < 120000; ++step) {
        messages += answeringMessages([this] { act(); }).size();
        checkHoldsTogether(step);
        if (QTest::currentTestFailed())
            break;
        if (step == settled)
            memoryAtSettled = memoryNow();
    }
    const long memoryAtEnd = memoryNow();
    qInfo("%d actions, %lld messages answered, in %lld ms; resident memory %ld kB after %d "
          "actions, %ld kB at the end",
          step, qlonglong(messages), clock.elapsed(), memoryAtSettled, settled, memoryAtEnd);
    QVERIFY(step > settled);
#ifdef NUTRIVO_SANITIZED
    QSKIP("the sanitizers keep freed memory in quarantine");
#endif
    QVERIFY2(memoryAtEnd - memoryAtSettled < 8 * 1024, "memory grew by more than 8 MB");
}

QTEST_MAIN(TestForm1Random)
#include "tst_form1_random.moc"
