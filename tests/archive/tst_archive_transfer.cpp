#include "archive/schema.h"
#include "archive_fixture.h"
#include "holding_session.h"
#include "postgres_server.h"

#include <QtTest>

// A personal file moved into a practice's server, and the server's snapshot
// taken out as a file, against a server the test starts itself.
class TestArchiveTransfer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void everyRowMovedAndTheFileLeftAsItWas();
    void unfinishedLeavesTheServerAsItWas_data();
    void unfinishedLeavesTheServerAsItWas();
    void alteredOnTheWayRefused_data();
    void alteredOnTheWayRefused();
    void serverCopyOpensAsAFile();
    void serverCopyIsOneSnapshotAndPrivate();

private:
    // Every subject and assessment, as the windows read them, independent of ids.
    static QStringList contents(Archive &archive);

    std::unique_ptr<PostgresServer> m_server;
    std::unique_ptr<QTemporaryDir> m_files;
    QString m_personalPath;
};

namespace {

KeptAssessment assessmentOf(const char *weight, int days, assessment::Sex sex)
{
    KeptAssessment kept = developedAssessment("1,70", weight, "40");
    kept.sex = sex;
    kept.takenAt = kept.takenAt.addDays(days);
    return kept;
}

// A change the archive does not make: the file written by hand.
void alterFile(const QString &path, const QString &statement)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "alter");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY2(query.exec(statement), qPrintable(query.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase("alter");
}

} // namespace

void TestArchiveTransfer::initTestCase()
{
    QLocale::setDefault(italianLocale());
    m_server = std::make_unique<PostgresServer>();
    if (!m_server->isRunning())
        QSKIP(qPrintable(m_server->whyNot()));
}

void TestArchiveTransfer::init()
{
    m_files = std::make_unique<QTemporaryDir>();
    m_personalPath = m_files->filePath("personale.sqlite");
}

QStringList TestArchiveTransfer::contents(Archive &archive)
{
    QStringList rows;
    for (const KeptSubject &subject : archive.subjects()) {
        rows
            << QString("%1|%2|%3").arg(subject.name).arg(int(subject.sex)).arg(subject.assessments);
        for (const KeptAssessment &kept : archive.assessmentsOf(subject.id))
            rows << QString("  %1|%2|%3|%4|%5|%6")
                        .arg(subject.name, kept.takenAt.toString(Qt::ISODateWithMs),
                             kept.weightText, kept.heightText,
                             QString::fromStdString(kept.figures.weightClass))
                        .arg(kept.figures.dailyEnergyKcal, 0, 'g', 17);
    }
    rows.sort();
    return rows;
}

// Names that break careless SQL, and namesakes on both sides: one the user
// calls the same person, one another.
void TestArchiveTransfer::everyRowMovedAndTheFileLeftAsItWas()
{
    using assessment::Sex;
    Archive server(m_server->address(m_server->preparedDatabase()));
    QCOMPARE(server.open(), ArchiveState::Ready);
    const qint64 rossiThere =
        server.keep(0, "rossi  mario", assessmentOf("80", 0, Sex::Maschile)).subjectId;
    server.keep(0, "Bianchi Anna", assessmentOf("60", 0, Sex::Femminile));

    Archive personal(m_personalPath);
    personal.open();
    const qint64 rossiHere =
        personal.keep(0, "Rossi Mario", assessmentOf("81", 10, Sex::Maschile)).subjectId;
    personal.keep(rossiHere, "", assessmentOf("79,5", 20, Sex::Maschile));
    personal.keep(0, "Bianchi Anna", assessmentOf("58", 5, Sex::Femminile));
    const qint64 quoted =
        personal.keep(0, "D'Amico \"Totò\"", assessmentOf("70", 1, Sex::Maschile)).subjectId;
    personal.keep(quoted, "", assessmentOf("69", 2, Sex::Maschile));
    personal.keep(0, "Rossi\\Bianchi; DROP TABLE subjects", assessmentOf("90", 3, Sex::Maschile));
    personal.keep(0, "Παπαδόπουλος 李娜", assessmentOf("55", 4, Sex::Femminile));
    const QStringList sent = contents(personal);
    const QStringList before = contents(server);
    personal.close();
    const QByteArray fileBefore = checksum(m_personalPath);

    QCOMPARE(personal.open(), ArchiveState::Ready);
    QList<int> steps;
    const Archive::Transfer transfer =
        server.takeIn(personal, {{rossiHere, rossiThere}}, [&](int done, int total) {
            steps << done;
            return total == 12; // 5 subjects and 7 assessments
        });
    QCOMPARE(transfer.outcome, WriteOutcome::Done);
    QVERIFY(!transfer.cancelled && !transfer.mismatched);
    QCOMPARE(transfer.newSubjects, 4);
    QCOMPARE(transfer.joinedSubjects, 1);
    QCOMPARE(transfer.assessments, 7);
    QVERIFY(std::is_sorted(steps.cbegin(), steps.cend()));
    QCOMPARE(steps.last(), 12);

    // Everything sent is there under its own name, the joined subject's under
    // the server's, beside what the server had.
    QStringList expected = before + sent;
    expected.replaceInStrings("Rossi Mario", "rossi mario");
    const QString rossi = QString("rossi mario|%1|").arg(int(Sex::Maschile));
    expected.removeAll(rossi + "2");
    expected.removeAll(rossi + "1");
    expected << rossi + "3";
    expected.sort();
    QCOMPARE(contents(server), expected);
    personal.close();
    QCOMPARE(checksum(m_personalPath), fileBefore);
}

void TestArchiveTransfer::unfinishedLeavesTheServerAsItWas_data()
{
    QTest::addColumn<bool>("cancelled");
    QTest::newRow("cancelled half way") << true;
    QTest::newRow("a row the server refuses") << false;
}

void TestArchiveTransfer::unfinishedLeavesTheServerAsItWas()
{
    QFETCH(bool, cancelled);
    Archive server(m_server->address(m_server->preparedDatabase()));
    server.open();
    server.keep(0, "Verdi Luca", developedAssessment());
    Archive personal(m_personalPath);
    personal.open();
    // More than one statement's worth of rows, so that some are sent first.
    for (int subject = 0; subject < 150; ++subject)
        personal.keep(0, QString("Soggetto %1").arg(subject), developedAssessment());
    if (!cancelled) {
        // The file does not check a name's length; the server does.
        alterFile(m_personalPath,
                  QString("UPDATE subjects SET name = '%1' WHERE id = (SELECT MAX(id) FROM "
                          "subjects)")
                      .arg(QString(150, 'x')));
    }
    const QStringList before = contents(server);

    const Archive::Transfer transfer = server.takeIn(
        personal, {}, [&](int done, int total) { return !cancelled || done < total / 2; });
    QVERIFY(transfer.outcome != WriteOutcome::Done);
    QCOMPARE(transfer.cancelled, cancelled);
    QCOMPARE(server.state(), ArchiveState::Ready);
    QCOMPARE(contents(server), before);
    // And the server takes the next save as before.
    QCOMPARE(server.keep(0, "Neri Ada", developedAssessment()).outcome, WriteOutcome::Done);
}

// Every column of a subject and of an assessment, each altered on its way in
// by a trigger of the server's: the rows read back differ from those sent.
void TestArchiveTransfer::alteredOnTheWayRefused_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("change"); // what the trigger does to the row
    const auto addColumns = [](const QString &table, const QStringList &columns) {
        for (const QString &column : columns) {
            const QString name = column.trimmed().section(' ', 0, 0);
            const QString change = column.contains("VARCHAR")
                                       ? "NEW.%1 := CASE WHEN NEW.%1 = 'A' THEN 'B' ELSE 'A' END"
                                       : "NEW.%1 := COALESCE(NEW.%1, 0) + 1";
            QTest::addRow("%s.%s", qPrintable(table), qPrintable(name))
                << table << change.arg(name);
        }
    };
    addColumns("subjects", {"name VARCHAR", "sex VARCHAR"});
    addColumns("assessments", schema::assessmentColumns().split(','));
}

void TestArchiveTransfer::alteredOnTheWayRefused()
{
    QFETCH(QString, table);
    QFETCH(QString, change);
    const QString database = m_server->preparedDatabase();
    QVERIFY(m_server->exec(database, QString("CREATE FUNCTION altered() RETURNS trigger"
                                             " LANGUAGE plpgsql AS $$ BEGIN %1; RETURN NEW;"
                                             " END $$")
                                         .arg(change)));
    QVERIFY(m_server->exec(database, QString("CREATE TRIGGER on_the_way BEFORE INSERT ON %1"
                                             " FOR EACH ROW EXECUTE FUNCTION altered()")
                                         .arg(table)));
    Archive server(m_server->address(database));
    QCOMPARE(server.open(), ArchiveState::Ready);
    Archive personal(m_personalPath);
    personal.keep(0, "Rossi Mario", developedAssessment());

    const Archive::Transfer transfer = server.takeIn(personal, {}, {});
    QVERIFY(transfer.mismatched);
    QVERIFY(transfer.outcome != WriteOutcome::Done);
    QCOMPARE(contents(server), QStringList());
}

// One snapshot of the server as a file that opens as a personal archive would,
// with the same subjects and assessments under the same ids.
void TestArchiveTransfer::serverCopyOpensAsAFile()
{
    Archive server(m_server->address(m_server->preparedDatabase()));
    server.open();
    const qint64 first = server.keep(0, "D'Amico \"Totò\"", developedAssessment()).subjectId;
    server.keep(first, "", developedAssessment("1,70", "68,5"));
    server.keep(0, "Παπαδόπουλος 李娜", developedAssessment());
    server.removeSubject(
        seenSubject(server, server.keep(0, "Cancellato", developedAssessment()).subjectId));

    const QString copyPath = m_files->filePath("copia.sqlite");
    QCOMPARE(server.saveCopy(copyPath), WriteOutcome::Done);
    QCOMPARE(Archive::inspect(copyPath), ArchiveState::Ready);
    QCOMPARE(QFile::permissions(copyPath) & (QFile::ReadGroup | QFile::ReadOther),
             QFile::Permissions());
    Archive copy(copyPath);
    QCOMPARE(copy.open(), ArchiveState::Ready);
    QCOMPARE(contents(copy), contents(server));
    QList<qint64> ids, idsThere;
    for (const KeptSubject &subject : copy.subjects())
        ids << subject.id;
    for (const KeptSubject &subject : server.subjects())
        idsThere << subject.id;
    std::sort(ids.begin(), ids.end());
    std::sort(idsThere.begin(), idsThere.end());
    QCOMPARE(ids, idsThere);
    // New saves in the copy do not take an id it already holds.
    const Archive::Kept next = copy.keep(0, "Nuovo Soggetto", developedAssessment());
    QCOMPARE(next.outcome, WriteOutcome::Done);
    QVERIFY(!ids.contains(next.subjectId));
}

// Another workstation saves while the copy reads: it locks the assessments,
// so the copy has read the subjects and waits, and commits a new subject with
// a visit. The copy holds neither, and its file is private from the start.
void TestArchiveTransfer::serverCopyIsOneSnapshotAndPrivate()
{
    const QString database = m_server->preparedDatabase();
    Archive server(m_server->address(database));
    server.open();
    server.keep(0, "Rossi Mario", developedAssessment());
    const QStringList before = contents(server);
    const QString copyPath = m_files->filePath("copia.sqlite");
    const QString part = m_files->filePath(".copia.sqlite.part");

    const QString columns = schema::assessmentColumnNames().join(", ");
    HoldingSession other(
        [&](const QString &name) {
            QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", name);
            db.setHostName(m_server->socketFolder());
            db.setPort(m_server->port());
            db.setDatabaseName(database);
            db.setUserName(PostgresServer::superuser());
            return db;
        },
        {"BEGIN", "LOCK TABLE assessments IN ACCESS EXCLUSIVE MODE",
         "INSERT INTO subjects (name, sex) VALUES ('Nuovo', 'Maschile')",
         QString("INSERT INTO assessments (subject_id, %1) SELECT (SELECT MAX(id) FROM subjects),"
                 " %1 FROM assessments LIMIT 1")
             .arg(columns)},
        part);
    QVERIFY(other.held());
    const mode_t mask = ::umask(022);
    const WriteOutcome outcome = server.saveCopy(copyPath);
    ::umask(mask);
    const QSet<uint> modes = other.finish();

    QCOMPARE(outcome, WriteOutcome::Done);
    Archive copy(copyPath);
    QCOMPARE(copy.open(), ArchiveState::Ready);
    QCOMPARE(contents(copy), before);
    QCOMPARE(contents(server).size(), before.size() + 2);
    QCOMPARE(modes, QSet<uint>{0600});
    QCOMPARE(QFile::permissions(copyPath) & 0x0777, QFile::ReadUser | QFile::WriteUser);
}

QTEST_GUILESS_MAIN(TestArchiveTransfer)
#include "tst_archive_transfer.moc"
