#include "archive/schema.h"
#include "archive/server_schema.h"
#include "archive_fixture.h"
#include "postgres_server.h"

#include <QSqlError>
#include <QSqlRecord>
#include <QtTest>

// The access log on both stores: every reading and change of a subject's data
// leaves its row in the same transaction, nobody using Nutrivo rewrites it,
// and an action the log refuses is not done.
class TestAccessLog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void everyActionLeavesItsRow_data();
    void everyActionLeavesItsRow();
    void transferLoggedUnderTheServersIds();
    void rolledBackSaveLeavesNoRow();
    void dietitiansOnlyAddToIt();
    void roleWithoutTheLogRefused();
    void ownerPrunesOnlyPastTheKeepingPeriod();

private:
    // Every row of the log as "action subject_id role workstation", oldest first.
    QStringList rows(const QString &where, const QString &columns = "action, subject_id");

    std::unique_ptr<PostgresServer> m_server;
    QTemporaryDir m_files;
};

void TestAccessLog::initTestCase()
{
    QLocale::setDefault(italianLocale());
    m_server = std::make_unique<PostgresServer>();
    if (!m_server->isRunning())
        QSKIP(qPrintable(m_server->whyNot()));
}

void TestAccessLog::init()
{
    QTest::failOnWarning(QRegularExpression("^(QSqlQuery|QSocketNotifier|QSqlDatabase)"));
}

QStringList TestAccessLog::rows(const QString &where, const QString &columns)
{
    const QString name = "log-rows";
    QStringList found;
    {
        const bool file = where.endsWith(".sqlite");
        QSqlDatabase db = QSqlDatabase::addDatabase(file ? "QSQLITE" : "QPSQL", name);
        db.setDatabaseName(where);
        if (file) {
            db.setConnectOptions("QSQLITE_OPEN_READONLY");
        } else {
            db.setHostName(m_server->socketFolder());
            db.setPort(m_server->port());
            db.setUserName(PostgresServer::superuser());
        }
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QString("SELECT %1 FROM access_log ORDER BY id").arg(columns));
            while (query.next()) {
                QStringList values;
                for (int i = 0; i < query.record().count(); ++i)
                    values << query.value(i).toString();
                found << values.join(' ');
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return found;
}

void TestAccessLog::everyActionLeavesItsRow_data()
{
    QTest::addColumn<QString>("store");
    QTest::newRow("file") << "file";
    QTest::newRow("server") << "server";
}

void TestAccessLog::everyActionLeavesItsRow()
{
    QFETCH(QString, store);
    const QString where =
        store == "file" ? m_files.filePath("archivio.sqlite") : m_server->preparedDatabase();
    Archive archive = store == "file" ? Archive(where) : Archive(m_server->address(where));
    archive.open();
    const auto rossi = archive.keep(0, "Rossi Mario", developedAssessment());
    const auto again = archive.keep(rossi.subjectId, "", developedAssessment("1.70", "72"));
    const auto bianchi = archive.keep(0, "Bianchi Anna", developedAssessment());
    const qint64 r = rossi.subjectId, b = bianchi.subjectId;
    QCOMPARE(archive.assessmentsOf(r, Access::Viewed).size(), 2);
    QCOMPARE(archive.assessmentsOf(r).size(), 2); // a window's refresh
    QCOMPARE(archive.logAccess(Access::Opened, {r}), WriteOutcome::Done);
    QCOMPARE(archive.logAccess(Access::CoursePrinted, {r}), WriteOutcome::Done);
    QCOMPARE(archive.logAccess(Access::Exported, {b, r}), WriteOutcome::Done);
    const KeptSubject seen = seenSubject(archive, r);
    QCOMPARE(archive.rename(seen, "Rossi Mario Luigi"), WriteOutcome::Done);
    QCOMPARE(archive.rename(seen, "Rossi Luigi"), WriteOutcome::Stale); // no row
    QCOMPARE(archive.removeAssessment(again.assessmentId), WriteOutcome::Done);
    QCOMPARE(archive.removeAssessment(again.assessmentId), WriteOutcome::Stale); // no row
    QCOMPARE(archive.saveCopy(m_files.filePath("copia-" + store + ".sqlite")), WriteOutcome::Done);
    QCOMPARE(archive.removeSubject(seenSubject(archive, r)), WriteOutcome::Done);

    const auto row = [](const char *action, qint64 id) {
        return QString("%1 %2").arg(action).arg(id);
    };
    QStringList copied = {row("copia dell'archivio", b), row("copia dell'archivio", r)};
    QStringList expected = {row("salvataggio valutazione", r),
                            row("salvataggio valutazione", r),
                            row("salvataggio valutazione", b),
                            row("consultazione valutazioni", r),
                            row("apertura valutazione", r),
                            row("stampa andamento", r),
                            row("esportazione CSV", b),
                            row("esportazione CSV", r),
                            row("cambio nome", r),
                            row("eliminazione valutazione", r)};
    QStringList logged = rows(where);
    // The copy logs its subjects in the order it reads them.
    std::sort(logged.begin() + expected.size(), logged.end() - 1);
    std::sort(copied.begin(), copied.end());
    expected << copied << row("eliminazione soggetto", r);
    QCOMPARE(logged, expected);

    // Who and from where, as this session and machine; never a subject's name.
    const QString who = store == "file" ? systemUser() : PostgresServer::superuser();
    for (const QString &line : rows(where, "role, workstation, action, subject_id")) {
        QVERIFY2(line.startsWith(who + ' ' + thisWorkstation() + ' '), qPrintable(line));
        QVERIFY2(!line.contains("Rossi") && !line.contains("Bianchi"), qPrintable(line));
    }
    // A deleted subject's rows stay, newest first, and the saves name who made them.
    const auto gone = archive.accessesOf(r);
    QCOMPARE(gone.size(), 10);
    QCOMPARE(gone.first().action, QString("eliminazione soggetto"));
    QCOMPARE(gone.last().action, QString("salvataggio valutazione"));
    QVERIFY(qAbs(gone.first().at.secsTo(QDateTime::currentDateTime())) < 60);
    QCOMPARE(archive.assessmentsOf(b).value(0).savedBy, who);
}

// Rows moved from a personal file are logged under the ids the server gave
// them, and saved by whoever moved them.
void TestAccessLog::transferLoggedUnderTheServersIds()
{
    Archive personal(m_files.filePath("personale.sqlite"));
    personal.keep(0, "Rossi Mario", developedAssessment());
    personal.keep(0, "Bianchi Anna", developedAssessment());
    const QString database = m_server->preparedDatabase();
    Archive server(m_server->address(database));
    server.open();
    server.keep(0, "Verdi Luca", developedAssessment());
    const Archive::Transfer transfer = server.takeIn(personal, {}, {});
    QCOMPARE(transfer.outcome, WriteOutcome::Done);
    QStringList expected;
    for (const KeptSubject &subject : server.subjects()) {
        if (subject.name != "Verdi Luca")
            expected << QString("trasferimento nello studio %1").arg(subject.id);
        QCOMPARE(server.assessmentsOf(subject.id).value(0).savedBy, PostgresServer::superuser());
    }
    std::sort(expected.begin(), expected.end());
    QStringList logged = rows(database).mid(1);
    std::sort(logged.begin(), logged.end());
    QCOMPARE(logged, expected);
}

// The save's row goes with the save: a commit the server refuses leaves
// neither the assessment nor its row.
void TestAccessLog::rolledBackSaveLeavesNoRow()
{
    const QString database = m_server->preparedDatabase();
    Archive archive(m_server->address(database));
    archive.open();
    const qint64 id = archive.keep(0, "Rossi Mario", developedAssessment()).subjectId;
    QVERIFY(m_server->exec(database, "CREATE FUNCTION refused() RETURNS trigger LANGUAGE plpgsql"
                                     " AS $$ BEGIN RAISE EXCEPTION 'refused at commit'; END $$"));
    QVERIFY(m_server->exec(database, "CREATE CONSTRAINT TRIGGER at_commit AFTER INSERT ON"
                                     " assessments DEFERRABLE INITIALLY DEFERRED FOR EACH ROW"
                                     " EXECUTE FUNCTION refused()"));
    QVERIFY(archive.keep(id, "", developedAssessment()).outcome != WriteOutcome::Done);
    QCOMPARE(rows(database), QStringList{QString("salvataggio valutazione %1").arg(id)});
    QCOMPARE(archive.assessmentsOf(id).size(), 1);
}

// A dietitian's role adds rows, always under its own name and the server's
// time, and can neither change nor remove one.
void TestAccessLog::dietitiansOnlyAddToIt()
{
    const QString database = m_server->preparedDatabase();
    const QString role = "dietista_" + database;
    QVERIFY(m_server->exec(
        database,
        QString("CREATE ROLE %1 LOGIN IN ROLE %2").arg(role, server_schema::dietitiansRole)));
    Archive archive(m_server->address(database, role));
    QCOMPARE(archive.open(), ArchiveState::Ready);
    const qint64 id = archive.keep(0, "Rossi Mario", developedAssessment()).subjectId;
    QCOMPARE(archive.assessmentsOf(id).value(0).savedBy, role);

    const QString name = "as-dietitian";
    QStringList refused;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", name);
        db.setHostName(m_server->socketFolder());
        db.setPort(m_server->port());
        db.setDatabaseName(database);
        db.setUserName(role);
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (const QString &statement :
             {QString("UPDATE access_log SET role = 'altro'"), QString("DELETE FROM access_log"),
              QString("TRUNCATE access_log"), QString("DROP TABLE access_log"),
              QString("ALTER TABLE access_log DISABLE TRIGGER ALL"),
              QString("UPDATE assessments SET saved_by = 'altro'")}) { // kept as saved
            if (!query.exec(statement))
                refused << query.lastError().nativeErrorCode();
        }
        // A row sent with another name and time is written with the true ones.
        QVERIFY(query.exec(QString("INSERT INTO access_log (at, role, workstation, action,"
                                   " subject_id) VALUES ('2000-01-01', 'altro', 'x', 'y', %1)")
                               .arg(id)));
        QVERIFY(query.exec(
            QString("INSERT INTO assessments (subject_id, %1) SELECT subject_id,"
                    " %2 FROM assessments LIMIT 1")
                .arg(schema::assessmentColumnNames().join(", "),
                     schema::assessmentColumnNames().join(", ").replace("saved_by", "'altro'"))));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    QCOMPARE(refused, QStringList(5, "42501"));
    QCOMPARE(rows(database, "role, date_trunc('year', at) = date_trunc('year', now())"),
             QStringList({role + " true", role + " true"}));
    QCOMPARE(archive.assessmentsOf(id).value(0).savedBy, role);
    QCOMPARE(archive.assessmentsOf(id).value(1).savedBy, role);
}

// A role that may change the subjects but not add to the log does neither:
// nothing is saved, shown, renamed, deleted or copied.
void TestAccessLog::roleWithoutTheLogRefused()
{
    const QString database = m_server->preparedDatabase();
    Archive owner(m_server->address(database));
    owner.open();
    const qint64 id = owner.keep(0, "Rossi Mario", developedAssessment()).subjectId;
    const QString role = "senza_registro_" + database;
    for (const QString &statement :
         {QString("CREATE ROLE %1 LOGIN IN ROLE %2").arg(role, server_schema::dietitiansRole),
          QString("REVOKE INSERT ON access_log FROM %1").arg(server_schema::dietitiansRole),
          QString("GRANT SELECT ON access_log TO %1").arg(server_schema::dietitiansRole)})
        QVERIFY(m_server->exec(database, statement));
    Archive archive(m_server->address(database, role));
    QCOMPARE(archive.open(), ArchiveState::Ready);
    QCOMPARE(archive.keep(id, "", developedAssessment()).outcome, WriteOutcome::Unlogged);
    QCOMPARE(archive.keep(0, "Bianchi Anna", developedAssessment()).outcome,
             WriteOutcome::Unlogged);
    const auto read = archive.assessmentsOf(id, Access::Viewed);
    QVERIFY(read.failed && read.unlogged && read.isEmpty());
    QCOMPARE(archive.logAccess(Access::Opened, {id}), WriteOutcome::Unlogged);
    const KeptSubject seen = seenSubject(archive, id);
    QCOMPARE(archive.rename(seen, "Altro Nome"), WriteOutcome::Unlogged);
    const qint64 assessment = owner.assessmentsOf(id).value(0).id;
    QCOMPARE(archive.removeAssessment(assessment), WriteOutcome::Unlogged);
    QCOMPARE(archive.removeSubject(seen), WriteOutcome::Unlogged);
    const QString copy = m_files.filePath("senza-registro.sqlite");
    QCOMPARE(archive.saveCopy(copy), WriteOutcome::Unlogged);
    QVERIFY(!QFileInfo::exists(copy));

    QCOMPARE(owner.subjects().size(), 1);
    QCOMPARE(owner.subjects().value(0).name, QString("Rossi Mario"));
    QCOMPARE(owner.assessmentsOf(id).size(), 1);
    QCOMPARE(rows(database).size(), 1);
}

// The README's pruning, as the tables' owner: what is older than 24 months
// goes, and nothing newer, whoever asks.
void TestAccessLog::ownerPrunesOnlyPastTheKeepingPeriod()
{
    const QString database = m_server->preparedDatabase();
    Archive archive(m_server->address(database));
    archive.open();
    const qint64 id = archive.keep(0, "Rossi Mario", developedAssessment()).subjectId;
    // A row from three years ago, written past the server's own clock.
    QVERIFY(m_server->exec(
        database, QString("DO $$ BEGIN PERFORM set_config('session_replication_role',"
                          " 'replica', true); INSERT INTO access_log (at, role, workstation,"
                          " action, subject_id) VALUES (now() - interval '36 months', 'rossi',"
                          " 'pc', 'consultazione valutazioni', %1); END $$")
                      .arg(id)));
    QCOMPARE(rows(database).size(), 2);
    for (int refused = 0; refused < 2; ++refused)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("si conserva per 24 mesi\n"));
    QVERIFY(!m_server->exec(database, "DELETE FROM access_log"));
    QVERIFY(!m_server->exec(database, "UPDATE access_log SET workstation = 'altro'"));
    QVERIFY(
        m_server->exec(database, "DELETE FROM access_log WHERE at < now() - interval '24 months'"));
    QCOMPARE(rows(database), QStringList({"salvataggio valutazione " + QString::number(id)}));
}

QTEST_GUILESS_MAIN(TestAccessLog)
#include "tst_access_log.moc"
