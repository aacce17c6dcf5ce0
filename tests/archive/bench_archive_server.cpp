#include "archive/archive_session.h"
#include "archive/server_schema.h"
#include "archive_fixture.h"
#include "large_archive.h"
#include "postgres_server.h"

#include <QProcess>
#include <QtTest>
#include <algorithm>

// What a save costs on each store, over the loopback with fsync on: the
// median and the 95th percentile of 200 saves; reading and transferring a
// large archive.
class BenchArchiveServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void oneSave_data();
    void oneSave();
    void eightWorkstationsSaving();
    void stoppedServerNoticed();
    void readingTenThousand();
    void transferringTenThousand();

private:
    std::unique_ptr<PostgresServer> m_server;
    QTemporaryDir m_files;
};

void BenchArchiveServer::initTestCase()
{
    m_server = std::make_unique<PostgresServer>();
    if (!m_server->isRunning())
        QSKIP(qPrintable(m_server->whyNot()));
}

void BenchArchiveServer::oneSave_data()
{
    QTest::addColumn<bool>("onServer");
    QTest::addColumn<bool>("fromTheWindows");
    QTest::newRow("file") << false << false;
    QTest::newRow("server") << true << false;
    // Sent to the session's thread and its answer waited for, as a save is.
    QTest::newRow("server, from the windows' thread") << true << true;
}

void BenchArchiveServer::oneSave()
{
    QFETCH(bool, onServer);
    QFETCH(bool, fromTheWindows);
    std::unique_ptr<Archive> archive;
    if (onServer) {
        const QString database = m_server->newDatabase();
        server_schema::prepareServer(m_server->address(database));
        archive = std::make_unique<Archive>(m_server->address(database));
    } else {
        archive = std::make_unique<Archive>(m_files.filePath("archivio.sqlite"));
    }
    std::unique_ptr<ArchiveSession> session;
    if (fromTheWindows)
        session = std::make_unique<ArchiveSession>(std::move(archive));
    // On the session's own thread, which opens it, as the windows do.
    const auto kept = [&](qint64 subject) {
        if (!session)
            return archive->keep(subject, "Rossi Mario", developedAssessment());
        Archive::Kept done;
        QEventLoop answered;
        session->send(
            [&](Archive &there) {
                if (there.state() != ArchiveState::Ready)
                    there.open();
                done = there.keep(subject, "Rossi Mario", developedAssessment());
            },
            [&] { answered.quit(); });
        answered.exec();
        return done;
    };
    if (!session)
        archive->open();
    const qint64 subject = kept(0).subjectId;
    const auto save = [&] { return kept(subject).outcome; };
    QList<double> times;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(save(), WriteOutcome::Done);
        times << clock.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    qInfo("%s: one save, median %.2f ms, p95 %.2f ms", QTest::currentDataTag(),
          times[times.size() / 2], times[times.size() * 95 / 100]);
}

// Eight processes, each saving 200 assessments for a subject of its own, all
// at once on one server.
void BenchArchiveServer::eightWorkstationsSaving()
{
    const QString uri = uriOf(m_server->address(m_server->preparedDatabase()));
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int i = 0; i < 8; ++i) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->start(ARCHIVE_WRITER, {uri, "--timed", "200"});
    }
    QList<double> times;
    for (const auto &writer : writers) {
        QVERIFY(writer->waitForFinished(120000));
        QCOMPARE(writer->exitCode(), 0);
        for (const QByteArray &line : writer->readAllStandardOutput().split('\n')) {
            if (!line.isEmpty())
                times << line.toLongLong() / 1000.0;
        }
    }
    QCOMPARE(times.size(), 1600);
    std::sort(times.begin(), times.end());
    qInfo("server, eight workstations at once: one save, median %.2f ms, p95 %.2f ms, slowest "
          "%.2f ms",
          times[times.size() / 2], times[times.size() * 95 / 100], times.last());
}

// The server stopped, its sockets open: how long a save takes to say so.
void BenchArchiveServer::stoppedServerNoticed()
{
    Archive archive(m_server->address(m_server->preparedDatabase()));
    archive.open();
    const qint64 subject = archive.keep(0, "Rossi Mario", developedAssessment()).subjectId;
    QVERIFY(m_server->pause());
    QElapsedTimer clock;
    clock.start();
    const WriteOutcome outcome = archive.keep(subject, "", developedAssessment()).outcome;
    const qint64 noticed = clock.elapsed();
    QVERIFY(m_server->resume());
    QCOMPARE(outcome, WriteOutcome::Offline);
    qInfo("server stopped: a save reported as not saved after %.1f s", noticed / 1000.0);
}

void BenchArchiveServer::readingTenThousand()
{
    const QString database = m_server->newDatabase();
    server_schema::prepareServer(m_server->address(database));
    Archive archive(m_server->address(database));
    archive.open();
    QVERIFY(m_server->exec(database, "INSERT INTO subjects (name, sex) SELECT 'Soggetto ' || n, "
                                     "'Maschile' FROM generate_series(1, 1000) AS n"));
    for (int i = 0; i < 10; ++i)
        QVERIFY(m_server->exec(
            database, "INSERT INTO assessments (subject_id, taken_at, height_text, weight_text, "
                      "age_text, activity, build, ideal_weight_kg, body_mass_index, "
                      "weight_class, basal_metabolism_kcal, activity_factor, daily_energy_kcal, "
                      "proteins_kcal, proteins_g, fats_kcal, fats_g, carbohydrates_kcal, "
                      "carbohydrates_g, hips_cm, waist_cm, thighs_cm, program_version) "
                      "SELECT id, '2026-12-0" +
                          QString::number(i) +
                          "T10:00:00Z', '1.70', '70', '30', 'Leggera', 'Normale', 65, 24.2, "
                          "'in Normopeso', 1700, 1.55, 2621, 262, 65, 655, 72, 1703, 425, 91, "
                          "70, 56, '1.0.0' FROM subjects"));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(archive.subjects().size(), 1000);
    const double subjects = clock.nsecsElapsed() / 1e6;
    clock.restart();
    QCOMPARE(archive.assessmentsOf(1).size(), 10);
    qInfo("server: 1,000 subjects with 10,000 assessments listed in %.1f ms, one subject's "
          "assessments in %.2f ms",
          subjects, clock.nsecsElapsed() / 1e6);
}

// A personal file of 1,000 subjects and 10,000 assessments into a server
// that already holds as many.
void BenchArchiveServer::transferringTenThousand()
{
    const QString path = m_files.filePath("personale.sqlite");
    QVERIFY(large_archive::fillFile(path));
    Archive personal(path);
    QCOMPARE(personal.open(), ArchiveState::Ready);
    Archive server(m_server->address(large_archive::filledServer(*m_server)));
    QCOMPARE(server.open(), ArchiveState::Ready);
    QElapsedTimer clock;
    clock.start();
    const Archive::Transfer transfer = server.takeIn(personal, {}, {});
    const double elapsed = clock.nsecsElapsed() / 1e6;
    QCOMPARE(transfer.outcome, WriteOutcome::Done);
    QCOMPARE(transfer.assessments, 10000);
    qInfo("server: 1,000 subjects and 10,000 assessments transferred and checked in %.0f ms",
          elapsed);
}

QTEST_MAIN(BenchArchiveServer)
#include "bench_archive_server.moc"
