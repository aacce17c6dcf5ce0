// What the archive costs: one save, and the window over a large archive on the
// file and on a server (its first paint, a keystroke in the search box, its
// memory), and the file's size per assessment; how long the windows' thread is
// held while a server works or waits. Figures, not limits: printed with qInfo.

#include "archive_fixture.h"
#include "large_archive.h"
#include "process_memory.h"
#include "ui/archive/archive_keeper.h"
#include "ui/archive/frmarchivio.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QThread>
#include <QtTest>
#include <algorithm>

class BenchFrmArchivio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void saveOneDevelopment();
    void largeArchiveWindow();
    void largeServerArchiveWindow();
    void othersSavesShown();
    void othersSaveShownAfterARestart();
    void windowsThreadHeld_data();
    void windowsThreadHeld();

private:
    void measureWindow(std::unique_ptr<Archive> archive, const char *store);

    QTemporaryDir m_folder;
};

void BenchFrmArchivio::initTestCase()
{
    QLocale::setDefault(italianLocale());
}

void BenchFrmArchivio::saveOneDevelopment()
{
    Archive archive(m_folder.filePath("salvataggi.sqlite"));
    archive.keep(0, "Rossi Mario", developedAssessment());
    const qint64 subject = archive.subjects().value(0).id;
    QBENCHMARK
    {
        QCOMPARE(archive.keep(subject, "", developedAssessment()).outcome, WriteOutcome::Done);
    }
}

// 1,000 subjects with ten assessments each, on the file.
void BenchFrmArchivio::largeArchiveWindow()
{
    const QString path = m_folder.filePath("grande.sqlite");
    QVERIFY(large_archive::fillFile(path));
    QCOMPARE(peek(path, "SELECT COUNT(*) FROM assessments").toInt(), 10000);
    qInfo("file: %lld bytes with %d rows of the access log", QFileInfo(path).size(),
          peek(path, "SELECT COUNT(*) FROM sqlite_master WHERE name = 'access_log'").toBool()
              ? peek(path, "SELECT COUNT(*) FROM access_log").toInt()
              : 0);
    measureWindow(std::make_unique<Archive>(path), "file");
}

// The same on a PostgreSQL server over its local socket, fsync on.
void BenchFrmArchivio::largeServerArchiveWindow()
{
    PostgresServer server;
    if (!server.isRunning())
        QSKIP(qPrintable(server.whyNot()));
    const QString database = large_archive::filledServer(server);
    QVERIFY(!database.isEmpty());
    measureWindow(std::make_unique<Archive>(server.address(database)), "server");
}

// Another workstation's saves, a new subject each, while the window is open
// over the large archive on a server: from the other's commit until the list
// shows the subject.
void BenchFrmArchivio::othersSavesShown()
{
    PostgresServer server;
    if (!server.isRunning())
        QSKIP(qPrintable(server.whyNot()));
    const QString database = large_archive::filledServer(server);
    QVERIFY(!database.isEmpty());
    ArchiveSession archive(std::make_unique<Archive>(server.address(database)));
    ArchiveKeeper keeper(archive);
    frmArchivio window(archive, keeper);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QAbstractItemModel *list = window.findChild<QListView *>("lstSoggetti")->model();
    QTRY_COMPARE(list->rowCount(), 1000);
    Archive other(server.address(database));
    QCOMPARE(other.open(), ArchiveState::Ready);
    QList<qint64> shown;
    for (int save = 1; save <= 40; ++save) {
        QTest::qWait(150);
        const int expected = list->rowCount() + 1;
        QCOMPARE(other.keep(0, QStringLiteral("Nuovo %1").arg(save), developedAssessment()).outcome,
                 WriteOutcome::Done);
        QElapsedTimer clock;
        clock.start();
        while (list->rowCount() != expected && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QCOMPARE(list->rowCount(), expected);
        shown << clock.nsecsElapsed() / 1000;
    }
    std::sort(shown.begin(), shown.end());
    qInfo("another workstation's save shown: median %.1f ms, 95th percentile %.1f ms, slowest "
          "%.1f ms",
          shown.at(shown.size() / 2) / 1000.0, shown.at(shown.size() * 95 / 100) / 1000.0,
          shown.last() / 1000.0);
}

// The server restarted under an idle window, then another workstation's
// save: from the other's commit until the list shows it.
void BenchFrmArchivio::othersSaveShownAfterARestart()
{
    PostgresServer server;
    if (!server.isRunning())
        QSKIP(qPrintable(server.whyNot()));
    const QString database = server.preparedDatabase();
    ArchiveSession archive(std::make_unique<Archive>(server.address(database)));
    ArchiveKeeper keeper(archive);
    frmArchivio window(archive, keeper);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QAbstractItemModel *list = window.findChild<QListView *>("lstSoggetti")->model();
    QList<qint64> shown;
    for (int restart = 1; restart <= 5; ++restart) {
        QVERIFY(server.stop(QStringLiteral("fast")));
        QVERIFY(server.start());
        Archive other(server.address(database));
        QCOMPARE(other.open(), ArchiveState::Ready);
        const int expected = list->rowCount() + 1;
        QCOMPARE(
            other.keep(0, QStringLiteral("Nuovo %1").arg(restart), developedAssessment()).outcome,
            WriteOutcome::Done);
        QElapsedTimer clock;
        clock.start();
        while (list->rowCount() != expected && clock.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QCOMPARE(list->rowCount(), expected);
        shown << clock.elapsed();
    }
    std::sort(shown.begin(), shown.end());
    qInfo("another workstation's save after a restart shown: median %lld ms, slowest %lld ms",
          shown.at(shown.size() / 2), shown.last());
}

void BenchFrmArchivio::windowsThreadHeld_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::newRow("another workstation saves 100 times") << "saves";
    QTest::newRow("the server stopped for 15 s, a subject chosen") << "stopped";
    QTest::newRow("a save that waits for a stopped server") << "save";
}

// The largest gap between the ticks of a 10 ms timer while the archive
// window stands open over a server: what the user meets as a window that
// neither paints nor takes input.
void BenchFrmArchivio::windowsThreadHeld()
{
    QFETCH(QString, scenario);
    PostgresServer server;
    if (!server.isRunning())
        QSKIP(qPrintable(server.whyNot()));
    // 1,000 subjects with ten assessments each: every refresh reads them all.
    const QString database = large_archive::filledServer(server);
    QVERIFY(!database.isEmpty());
    ArchiveSession archive(std::make_unique<Archive>(server.address(database)));
    ArchiveKeeper keeper(archive);
    frmArchivio window(archive, keeper);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *list = window.findChild<QListView *>("lstSoggetti");
    QTRY_COMPARE(list->model()->rowCount(), 1000);
    list->setCurrentIndex(list->model()->index(0, 0));
    // Messages answered as they come.
    QTimer answer;
    answer.setInterval(50);
    connect(&answer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->accept();
    });
    answer.start();

    qint64 longest = 0;
    QElapsedTimer sinceTick;
    QTimer tick;
    tick.setInterval(10);
    connect(&tick, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    sinceTick.start();
    tick.start();
    const auto resume = qScopeGuard([&] { server.resume(); });
    if (scenario == "saves") {
        // Another workstation: its own session, on a thread of its own.
        std::unique_ptr<QThread> other(QThread::create([&] {
            Archive there(server.address(database));
            there.open();
            for (int save = 1; save <= 100; ++save)
                there.keep(0, QStringLiteral("Nuovo %1").arg(save), developedAssessment());
        }));
        other->start();
        while (!other->isFinished())
            QTest::qWait(10);
        QTest::qWait(500);
    } else {
        QVERIFY(server.pause());
        QTimer::singleShot(100, &window, [&] {
            if (scenario == "stopped")
                list->setCurrentIndex(list->model()->index(1, 0));
            else
                keeper.keep(&window, "Rossi Mario", developedAssessment());
        });
        QTest::qWait(15000);
    }
    qInfo("%s: the windows' thread held for at most %lld ms", qPrintable(scenario), longest);
}

void BenchFrmArchivio::measureWindow(std::unique_ptr<Archive> kept, const char *store)
{
    const long memoryBefore = residentKilobytes();
    ArchiveSession archive(std::move(kept));
    ArchiveKeeper keeper(archive);
    QElapsedTimer clock;
    clock.start();
    frmArchivio window(archive, keeper);
    window.show();
    // A server's list comes after the window's first paint.
    const QAbstractItemModel *list = window.findChild<QListView *>("lstSoggetti")->model();
    while (list->rowCount() < 1000 && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    window.repaint();
    qInfo("%s: first paint with the list: %lld ms", store, clock.elapsed());
    QCOMPARE(list->rowCount(), 1000);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *search = window.findChild<QLineEdit *>("txtCerca");
    QList<qint64> keystrokes;
    for (const char *typed : {"s", "so", "sog", "sogg", "sogge", "sogget", "soggett", "soggetto",
                              "soggetto ", "soggetto 9", "soggetto 99"}) {
        clock.restart();
        search->setText(typed);
        window.repaint();
        keystrokes << clock.nsecsElapsed() / 1000;
    }
    std::sort(keystrokes.begin(), keystrokes.end());
    qInfo("%s: filter: median %.2f ms, slowest %.2f ms per keystroke", store,
          keystrokes.at(keystrokes.size() / 2) / 1000.0, keystrokes.last() / 1000.0);
    qInfo("%s: memory added by the window: %ld kB", store, residentKilobytes() - memoryBefore);

    // A subject chosen: from the click until the table shows its ten assessments.
    search->clear();
    auto *subjects = window.findChild<QListView *>("lstSoggetti");
    const QAbstractItemModel *table = window.findChild<QTableView *>("tblValutazioni")->model();
    QList<qint64> opened;
    for (int row = 1; row <= 50; ++row) {
        clock.restart();
        subjects->setCurrentIndex(list->index(row * 19, 0));
        while ((window.awaitingArchive() || table->rowCount() != 10) && clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        window.repaint();
        opened << clock.nsecsElapsed() / 1000;
        QCOMPARE(table->rowCount(), 10);
    }
    std::sort(opened.begin(), opened.end());
    qInfo("%s: a subject opened: median %.2f ms, slowest %.2f ms", store,
          opened.at(opened.size() / 2) / 1000.0, opened.last() / 1000.0);

    // The subject's log, where there is one, until its window shows it.
    if (auto *accessLog = window.findChild<QPushButton *>("cmdRegistro")) {
        clock.restart();
        accessLog->click();
        const QWidget *shown = window.findChild<QWidget *>("frmRegistro");
        QVERIFY(shown && shown->isVisible());
        qInfo("%s: the subject's access log shown: %.2f ms (%d rows)", store,
              clock.nsecsElapsed() / 1e6,
              shown->findChild<QTableView *>("tblRegistro")->model()->rowCount());
    }
}

QTEST_MAIN(BenchFrmArchivio)
#include "bench_frmarchivio.moc"
