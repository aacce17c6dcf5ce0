// The program's start: the splash window, its timer and the hand-over.

#include "ui/common/fonts.h"
#include "ui/program.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QtTest>

class TestFrmSplash : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void steppedTimeline();
    void realTimeline();
    void inputChangesNothing();
    void saysWhatItKeeps();
};

namespace {

QWidget *mainWindowShown()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == "Form1")
            return window;
    }
    return nullptr;
}

} // namespace

void TestFrmSplash::initTestCase()
{
    registerFontSubstitutes();
}

void TestFrmSplash::steppedTimeline()
{
    Program program;
    frmSplash &splash = program.splash();
    auto *timer = splash.findChild<QTimer *>("Timer1");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 100);
    timer->stop();

    QVERIFY(!mainWindowShown());
    QVERIFY(!QApplication::overrideCursor());
    splash.tick();
    QWidget *form = mainWindowShown();
    QVERIFY(form);
    QVERIFY(!form->isVisible());
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    const QPoint start = splash.pos();
    for (int tick = 2; tick <= 25; ++tick) {
        splash.tick();
        QCOMPARE(timer->interval(), tick > 20 ? 1 : 100);
        QVERIFY(splash.isVisible());
        QVERIFY(!form->isVisible());
    }
    QVERIFY(splash.pos().x() > start.x());
    QVERIFY(splash.pos().y() < start.y());

    splash.tick();
    QVERIFY(form->isVisible());
    QVERIFY(!splash.isVisible());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(mainWindowShown(), form);
}

void TestFrmSplash::realTimeline()
{
    QElapsedTimer clock;
    clock.start();
    Program program;
    const frmSplash &splash = program.splash();
    QTRY_VERIFY_WITH_TIMEOUT(mainWindowShown() && mainWindowShown()->isVisible(), 10000);
    const qint64 elapsed = clock.elapsed();
    qInfo("main window shown after %lld ms", elapsed);
    // Twenty-five ticks, twenty of them 100 ms apart.
    QVERIFY(elapsed >= 2000);
    QVERIFY(!splash.isVisible());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(splash.motion().tickCount, 26);
}

void TestFrmSplash::inputChangesNothing()
{
    frmSplash splash;
    splash.findChild<QTimer *>("Timer1")->stop();
    splash.show();
    splash.tick();
    const QPoint place = splash.pos();
    QTest::mouseClick(&splash, Qt::LeftButton);
    QTest::keyClick(&splash, Qt::Key_Escape);
    QTest::keyClick(&splash, Qt::Key_Return);
    QVERIFY(splash.isVisible());
    QCOMPARE(splash.pos(), place);
    QCOMPARE(splash.motion().tickCount, 1);
}

// The program saves when the user asks: the splash must not say it never does.
void TestFrmSplash::saysWhatItKeeps()
{
    Program program;
    auto *notice = program.splash().findChild<QLabel *>("Label3");
    QVERIFY(notice);
    QCOMPARE(notice->text(), QString("Nutrivo è fornito così com'è, senza garanzie. Non invia "
                                     "alcun dato e salva solo su richiesta."));
    // The longer text still fits its label.
    QVERIFY(notice->heightForWidth(notice->width()) <= notice->height());
}

QTEST_MAIN(TestFrmSplash)
#include "tst_frmsplash.moc"
