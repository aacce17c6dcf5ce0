// What the archive costs: one save, and the window over a large archive on the
// file and on a server (its first paint, a keystroke in the search box, its
// memory), and the file's size per assessment. Figures, not limits: printed with qInfo.

#include "archive_fixture.h"
#include "large_archive.h"
#include "process_memory.h"
#include "ui/archive/archive_keeper.h"
#include "ui/archive/frmarchivio.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
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

private:
    void measureWindow(Archive &archive, const char *store);

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
    qInfo("file: %lld bytes, %.0f bytes per assessment", QFileInfo(path).size(),
          QFileInfo(path).size() / 10000.0);
    Archive archive(path);
    measureWindow(archive, "file");
}

// The same on a PostgreSQL server over its local socket, fsync on.
void BenchFrmArchivio::largeServerArchiveWindow()
{
    PostgresServer server;
    if (!server.isRunning())
        QSKIP(qPrintable(server.whyNot()));
    const QString database = large_archive::filledServer(server);
    QVERIFY(!database.isEmpty());
    Archive archive(server.address(database));
    measureWindow(archive, "server");
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
    Archive archive(server.address(database));
    ArchiveKeeper keeper(archive);
    frmArchivio window(archive, keeper);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QAbstractItemModel *list = window.findChild<QListView *>("lstSoggetti")->model();
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

void BenchFrmArchivio::measureWindow(Archive &archive, const char *store)
{
    const long memoryBefore = residentKilobytes();
    ArchiveKeeper keeper(archive);
    QElapsedTimer clock;
    clock.start();
    frmArchivio window(archive, keeper);
    window.show();
    window.repaint();
    qInfo("%s: first paint: %lld ms", store, clock.elapsed());
    QCOMPARE(archive.subjects().size(), 1000);
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
}

QTEST_MAIN(BenchFrmArchivio)
#include "bench_frmarchivio.moc"
