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
