#include "archive/schema.h"
#include "archive_fixture.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

// Saving processes killed at random moments, and two saving at once.
class TestArchiveCrash : public QObject
{
    Q_OBJECT

private slots:
    void killedWhileSaving();
    void twoSavingAtOnce();
    void severalMakingTheFileAtOnce();

private:
    static QString writer() { return QCoreApplication::applicationDirPath() + "/archive_writer"; }
};

void TestArchiveCrash::killedWhileSaving()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("archivio.sqlite");
    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("seed %u", seed);
    QRandomGenerator random(seed);
    QSet<qint64> confirmed;
    for (int run = 0; run < 50; ++run) {
        QProcess process;
        process.start(writer(), {path, "100000"});
        QVERIFY(process.waitForStarted());
        QTest::qWait(int(random.bounded(20, 250)));
        process.kill(); // SIGKILL: no chance to finish anything
        QVERIFY(process.waitForFinished());
        for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
            if (!line.isEmpty())
                confirmed.insert(line.toLongLong());
        }
        // The next open plays back what the kill cut short. A kill before the
        // first save may leave no file at all.
        Archive archive(path);
        const ArchiveState state = archive.open();
        if (state == ArchiveState::Absent && confirmed.isEmpty())
            continue;
        QCOMPARE(state, ArchiveState::Ready);
        QCOMPARE(peek(path, "PRAGMA integrity_check").toString(), QString("ok"));
        QSet<qint64> kept;
        for (const KeptSubject &subject : archive.subjects()) {
            for (const KeptAssessment &assessment : archive.assessmentsOf(subject.id))
                kept.insert(assessment.id);
        }
        for (qint64 id : std::as_const(confirmed))
            QVERIFY2(kept.contains(id),
                     qPrintable(QStringLiteral("confirmed save %1 lost").arg(id)));
    }
    QVERIFY(confirmed.size() > 50);
}

void TestArchiveCrash::twoSavingAtOnce()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("archivio.sqlite");
    QProcess first, second;
    first.start(writer(), {path, "150"});
    second.start(writer(), {path, "150"});
    QVERIFY(first.waitForFinished(60000) && second.waitForFinished(60000));
    QVERIFY2(first.exitCode() == 0 && second.exitCode() == 0,
             (first.readAllStandardError() + second.readAllStandardError()).constData());
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.readAllStandardError(), QByteArray());
    QCOMPARE(peek(path, "SELECT COUNT(*) FROM assessments").toInt(), 300);
    QCOMPARE(peek(path, "PRAGMA integrity_check").toString(), QString("ok"));
}

// Each makes the file's tables, one step after another, as the others do: a
// step taken again on a later version would undo the steps after it.
void TestArchiveCrash::severalMakingTheFileAtOnce()
{
    for (int round = 0; round < 10; ++round) {
        QTemporaryDir folder;
        const QString path = folder.filePath("archivio.sqlite");
        std::vector<std::unique_ptr<QProcess>> writers;
        for (int i = 0; i < 6; ++i) {
            writers.push_back(std::make_unique<QProcess>());
            writers.back()->start(writer(), {path, "3"});
        }
        for (const auto &process : writers) {
            QVERIFY(process->waitForFinished(60000));
            QVERIFY2(process->exitCode() == 0, process->readAllStandardError().constData());
        }
        QCOMPARE(peek(path, "PRAGMA user_version").toInt(), schema::currentVersion());
        QCOMPARE(peek(path, "SELECT COUNT(*) FROM assessments").toInt(), 18);
        QCOMPARE(peek(path, "SELECT COUNT(*) FROM access_log").toInt(), 18);
        QCOMPARE(peek(path, "SELECT COUNT(*) FROM assessments WHERE saved_by IS NULL").toInt(), 0);
    }
}

QTEST_GUILESS_MAIN(TestArchiveCrash)
#include "tst_archive_crash.moc"
