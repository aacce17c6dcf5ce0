#include "archive/schema.h"
#include "archive_fixture.h"
#include "holding_session.h"
#include "version.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

class TestArchive : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void nothingWrittenBeforeTheFirstSave();
    void keptAsDeveloped();
    void namesakesStaySeparate();
    void deletedDataGone();
    void renamed();
    void migratesFromEachOlderVersion_data();
    void migratesFromEachOlderVersion();
    void foreignOrDamagedFilesUntouched_data();
    void foreignOrDamagedFilesUntouched();
    void restoreRefusesUnsoundFiles_data();
    void restoreRefusesUnsoundFiles();
    void newerVersionReadOnly();
    void copyAndRestore();
    void copyPrivateFromTheStart();
    void archiveFromEitherRelease_data();
    void archiveFromEitherRelease();
    void readOnlyFolder();
    void fullDisk();

private:
    QString archivePath() const { return m_folder->filePath("data/archivio.sqlite"); }
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestArchive::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

void TestArchive::nothingWrittenBeforeTheFirstSave()
{
    Archive archive(archivePath());
    QCOMPARE(archive.open(), ArchiveState::Absent);
    QVERIFY(archive.subjects().isEmpty());
    QVERIFY(!QFileInfo::exists(QFileInfo(archivePath()).path()));

    QCOMPARE(archive.keep(0, "Rossi Mario", developedAssessment()).outcome, WriteOutcome::Done);
    QCOMPARE(archive.state(), ArchiveState::Ready);
    QCOMPARE(QFileInfo(archivePath()).permissions() & 0x0777,
             QFileDevice::ReadUser | QFileDevice::WriteUser);
    QCOMPARE(QFileInfo(QFileInfo(archivePath()).path()).permissions() & 0x0777,
             QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    QCOMPARE(peek(archivePath(), "PRAGMA user_version").toInt(), schema::currentVersion());
}

void TestArchive::keptAsDeveloped()
{
    Archive archive(archivePath());
    KeptAssessment child = developedAssessment("1,30", "28,5", "9");
    child.takenAt = child.takenAt.addDays(14);
    const auto first = archive.keep(0, "  Rossi   Mario ", developedAssessment());
    const auto second = archive.keep(first.subjectId, "", child);
    QCOMPARE(second.outcome, WriteOutcome::Done);

    // Read back by another archive on the same file, as after a restart.
    Archive again(archivePath());
    QCOMPARE(again.open(), ArchiveState::Ready);
    const auto subjects = again.subjects();
    QCOMPARE(subjects.size(), 1);
    QCOMPARE(subjects[0].name, QString("Rossi Mario"));
    QCOMPARE(subjects[0].assessments, 2);
    QCOMPARE(subjects[0].lastAssessed, child.takenAt);
    const auto kept = again.assessmentsOf(first.subjectId);
    QCOMPARE(kept.size(), 2);
    QCOMPARE(kept[0].id, second.assessmentId); // newest first
    QCOMPARE(kept[0].heightText, QString("1,30"));
    QCOMPARE(kept[0].weightText, QString("28,5"));
    QCOMPARE(kept[0].ageText, QString("9"));
    QVERIFY(!kept[0].figures.activityFactor); // no factor below 10 years
    const auto &figures = kept[1].figures;
    QCOMPARE(figures.bodyMassIndex, 24.22);
    QCOMPARE(figures.weightClass, std::string("in Normopeso"));
    QCOMPARE(*figures.activityFactor, 1.55);
    QCOMPARE(figures.dailyEnergyKcal, 2621.05);
    QCOMPARE(figures.carbohydratesKcal, 1703.68);
    QCOMPARE(figures.fatsGrams, 72.81);
    QCOMPARE(figures.hipsCm, 91.0);
    QCOMPARE(kept[1].programVersion, QString(NUTRIVO_VERSION));
    QVERIFY(assessment::changedFigures(figures, developedAssessment().figures, italian()).empty());
}

void TestArchive::namesakesStaySeparate()
{
    Archive archive(archivePath());
    archive.keep(0, "Rossi Mario", developedAssessment());
    archive.keep(0, "ROSSI MARIO", developedAssessment());
    QCOMPARE(archive.subjects().size(), 2);
    QVERIFY(sameName("rossi  mario ", "Rossi Mario"));
    QVERIFY(!sameName("Rossi Maria", "Rossi Mario"));
}

void TestArchive::deletedDataGone()
{
    Archive archive(archivePath());
    const auto kept = archive.keep(0, "Zyxwvut Qponmlk", developedAssessment("1.83", "71.9"));
    archive.keep(0, "Bianchi Anna", developedAssessment());
    QVERIFY(checksum(archivePath()).size() > 0);
    QFile before(archivePath());
    QVERIFY(before.open(QIODevice::ReadOnly) && before.readAll().contains("Zyxwvut Qponmlk"));

    QCOMPARE(archive.removeSubject(seenSubject(archive, kept.subjectId)), WriteOutcome::Done);
    QCOMPARE(archive.subjects().size(), 1);
    QCOMPARE(peek(archivePath(), "SELECT COUNT(*) FROM assessments").toInt(), 1);
    QFile after(archivePath());
    QVERIFY(after.open(QIODevice::ReadOnly));
    const QByteArray bytes = after.readAll();
    QVERIFY(!bytes.contains("Zyxwvut Qponmlk"));
    QVERIFY(!bytes.contains("71.9"));
}

void TestArchive::renamed()
{
    Archive archive(archivePath());
    const auto kept = archive.keep(0, "Rossi Mario", developedAssessment());
    QCOMPARE(archive.rename(seenSubject(archive, kept.subjectId), " Rossi  Mario Luigi "),
             WriteOutcome::Done);
    QCOMPARE(archive.subjects().value(0).name, QString("Rossi Mario Luigi"));
    QCOMPARE(archive.assessmentsOf(kept.subjectId).size(), 1);
}

void TestArchive::migratesFromEachOlderVersion_data()
{
    QTest::addColumn<int>("version");
    for (int version = 1; version < schema::currentVersion(); ++version)
        QTest::addRow("version %d", version) << version;
}

// A file of each older version, written here as that version wrote it.
void TestArchive::migratesFromEachOlderVersion()
{
    QFETCH(int, version);
    QDir().mkpath(QFileInfo(archivePath()).path());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "older");
        db.setDatabaseName(archivePath());
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (int step = 0; step < version; ++step) {
            for (const QString &statement : schema::steps().at(step))
                QVERIFY(query.exec(statement));
        }
        QVERIFY(query.exec("PRAGMA application_id = 1316320370"));
        QVERIFY(query.exec(QString("PRAGMA user_version = %1").arg(version)));
        QVERIFY(query.exec(
            "INSERT INTO subjects (id, name, sex) VALUES (7, 'Verdi Luca', 'Maschile')"));
        // The first version's columns, which every later one keeps.
        QStringList firstColumns;
        for (const QString &column : schema::firstAssessmentColumns().split(','))
            firstColumns << column.trimmed().section(' ', 0, 0);
        const QString into =
            QString("INSERT INTO assessments (id, subject_id, %1) ").arg(firstColumns.join(", "));
        QVERIFY(query.exec(
            into +
            "VALUES (3, 7, '2025-01-02T09:30:00Z', '1.80', '80', '45',"
            " 'Moderata', 'Grassa', 71.5, 24.69, 'in Normopeso', 1826, 1.78, 3250.28, 325.03,"
            " 81.26, 812.57, 90.29, 2112.68, 528.17, 96, 74, 60, '1.0.0')"));
        // A boy of 10 and an infant, kept with an adult's class and Lorentz's weight.
        QVERIFY(query.exec(
            into +
            "VALUES (4, 7, '2025-01-03T09:30:00Z', '1.40', '38', '10',"
            " 'Moderata', 'Normale', 42.5, 19.39, 'in Sottopeso', 1322.6, 1.65, 2182.29, 218.23,"
            " 54.56, 545.57, 60.62, 1418.49, 354.62, 76, 55, 46, '1.0.0')"));
        QVERIFY(query.exec(
            into +
            "VALUES (5, 7, '2025-01-04T09:30:00Z', '0.75', '9', '1',"
            " 'Leggera', 'Normale', -6.25, 16, 'in Sottopeso', 504.5, NULL, 0, 0, 0, 0, 0, 0, 0,"
            " 43, 22, 25, '1.0.0')"));
        db.close();
    }
    QSqlDatabase::removeDatabase("older");

    Archive archive(archivePath());
    QCOMPARE(archive.open(), ArchiveState::Ready);
    QCOMPARE(peek(archivePath(), "PRAGMA user_version").toInt(), schema::currentVersion());
    QCOMPARE(peek(archivePath(), "SELECT COUNT(*) FROM sqlite_master WHERE name = "
                                 "'assessments_by_subject'")
                 .toInt(),
             1);
    const auto kept = archive.assessmentsOf(7);
    QCOMPARE(kept.size(), 3);
    QCOMPARE(kept[2].takenAt,
             QDateTime(QDate(2025, 1, 2), QTime(9, 30), QTimeZone::utc()).toLocalTime());
    QCOMPARE(kept[2].activity, assessment::ActivityLevel::Moderata);
    QCOMPARE(kept[2].figures.dailyEnergyKcal, 3250.28);
    QCOMPARE(*kept[2].figures.idealWeightKg, 71.5);
    QCOMPARE(kept[2].figures.weightClass, std::string("in Normopeso"));
    QVERIFY(!kept[2].figures.bmiZ);
    // The children's figures read again from their inputs, never an adult's.
    QCOMPARE(kept[1].figures.weightClass, std::string("in Sovrappeso"));
    QCOMPARE(*kept[1].figures.idealWeightKg, 32.69);
    QCOMPARE(*kept[1].figures.bmiZ, 1.22);
    QCOMPARE(*kept[1].figures.bmiCentile, 88.9);
    QCOMPARE(kept[0].figures.weightClass, std::string("in età < 2 anni"));
    QVERIFY(!kept[0].figures.idealWeightKg);
    QVERIFY(!kept[0].figures.bmiZ);
    // The new table takes an infant without an ideal weight.
    QCOMPARE(archive.keep(7, "Verdi Luca", developedAssessment("0.80", "10", "1")).outcome,
             WriteOutcome::Done);
    QVERIFY(!archive.assessmentsOf(7).value(0).figures.idealWeightKg);
    // Who saved the older visits is not known; the new one's is.
    QCOMPARE(kept[2].savedBy, QString());
    QCOMPARE(archive.assessmentsOf(7).value(0).savedBy, systemUser());
    // The older version's copy, kept whole before the change.
    QCOMPARE(archive.migrationCopy(),
             m_folder->filePath(QString("data/archivio.versione-%1.sqlite").arg(version)));
    QCOMPARE(peek(archive.migrationCopy(), "PRAGMA user_version").toInt(), version);
    QCOMPARE(peek(archive.migrationCopy(), "SELECT name FROM subjects").toString(),
             QString("Verdi Luca"));
    QCOMPARE(QFileInfo(archive.migrationCopy()).permissions() & 0x0777,
             QFileDevice::ReadUser | QFileDevice::WriteUser);
}

void TestArchive::foreignOrDamagedFilesUntouched_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<ArchiveState>("state");
    QTest::newRow("text") << "text" << ArchiveState::NotAnArchive;
    QTest::newRow("another program's database") << "foreign" << ArchiveState::NotAnArchive;
    QTest::newRow("damaged archive") << "damaged" << ArchiveState::Damaged;
    QTest::newRow("cut archive") << "cut" << ArchiveState::Damaged;
}

namespace {

// A file of the kind at path: text, another program's database, or an
// archive damaged or cut short.
void writeUnsoundFile(const QString &kind, const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    if (kind == "text") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Cognome;Nome\nRossi;Mario\n");
    } else if (kind == "foreign") {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery(db).exec("CREATE TABLE notes (text TEXT)");
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("foreign");
    } else {
        {
            Archive archive(path);
            for (int i = 0; i < 200; ++i)
                archive.keep(0, QStringLiteral("Soggetto %1").arg(i), developedAssessment());
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        if (kind == "cut") {
            file.resize(file.size() / 2);
        } else {
            file.seek(4096); // the tables' first pages
            file.write(QByteArray(8192, '\x5a'));
        }
    }
}

} // namespace

void TestArchive::foreignOrDamagedFilesUntouched()
{
    QFETCH(QString, kind);
    QFETCH(ArchiveState, state);
    writeUnsoundFile(kind, archivePath());
    const QByteArray before = checksum(archivePath());

    Archive archive(archivePath());
    QCOMPARE(archive.open(), state);
    QCOMPARE(archive.keep(0, "Rossi Mario", developedAssessment()).outcome, WriteOutcome::Refused);
    QCOMPARE(archive.saveCopy(m_folder->filePath("copia.sqlite")), WriteOutcome::Refused);
    archive.close();
    QCOMPARE(checksum(archivePath()), before);
    QCOMPARE(Archive::inspect(archivePath()), state);
}

void TestArchive::restoreRefusesUnsoundFiles_data()
{
    foreignOrDamagedFilesUntouched_data();
}

// Only a sound archive replaces the one in use; anything else leaves it as it was.
void TestArchive::restoreRefusesUnsoundFiles()
{
    QFETCH(QString, kind);
    const QString source = m_folder->filePath("copia.sqlite");
    writeUnsoundFile(kind, source);
    Archive archive(archivePath());
    archive.keep(0, "Rossi Mario", developedAssessment());
    archive.close();
    const QByteArray before = checksum(archivePath());
    QCOMPARE(archive.restoreFrom(source), WriteOutcome::Refused);
    archive.close();
    QCOMPARE(checksum(archivePath()), before);
    QCOMPARE(QDir(QFileInfo(archivePath()).path()).entryList(QDir::Files),
             QStringList{"archivio.sqlite"});
}

void TestArchive::newerVersionReadOnly()
{
    {
        Archive archive(archivePath());
        archive.keep(0, "Rossi Mario", developedAssessment());
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer");
        db.setDatabaseName(archivePath());
        QVERIFY(db.open());
        QSqlQuery(db).exec("PRAGMA user_version = 99");
        db.close();
    }
    QSqlDatabase::removeDatabase("newer");
    const QByteArray before = checksum(archivePath());

    Archive archive(archivePath());
    QCOMPARE(archive.open(), ArchiveState::ReadOnlyNewer);
    QCOMPARE(archive.subjects().size(), 1); // still read
    const KeptSubject subject = archive.subjects().value(0);
    QCOMPARE(archive.keep(subject.id, "", developedAssessment()).outcome, WriteOutcome::Refused);
    QCOMPARE(archive.removeSubject(subject), WriteOutcome::Refused);
    QCOMPARE(archive.rename(subject, "Altro"), WriteOutcome::Refused);
    archive.close();
    QCOMPARE(checksum(archivePath()), before);
    QVERIFY(!QFileInfo::exists(m_folder->filePath("data/archivio.versione-99.sqlite")));
}

void TestArchive::copyAndRestore()
{
    Archive archive(archivePath());
    archive.keep(0, "Rossi Mario", developedAssessment());
    const QString copy = m_folder->filePath("copia.sqlite");
    QCOMPARE(archive.saveCopy(copy), WriteOutcome::Done);
    QCOMPARE(Archive::inspect(copy), ArchiveState::Ready);
    QVERIFY(!QFileInfo::exists(m_folder->filePath(".copia.sqlite.part")));
    archive.keep(0, "Bianchi Anna", developedAssessment());
    QCOMPARE(archive.subjects().size(), 2);

    QString replaced;
    QCOMPARE(archive.restoreFrom(copy, &replaced), WriteOutcome::Done);
    QCOMPARE(archive.state(), ArchiveState::Ready);
    QCOMPARE(archive.subjects().size(), 1);
    QCOMPARE(archive.subjects().value(0).name, QString("Rossi Mario"));
    QCOMPARE(QFileInfo(archivePath()).permissions() & 0x0777,
             QFileDevice::ReadUser | QFileDevice::WriteUser);
    // The archive it replaced is kept whole beside it.
    QVERIFY(replaced.startsWith(m_folder->filePath("data/archivio.sostituito-")));
    QCOMPARE(peek(replaced, "SELECT COUNT(*) FROM subjects").toInt(), 2);

    // A file that is no archive is refused, and nothing moves.
    QFile text(m_folder->filePath("note.sqlite"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not an archive");
    text.close();
    const QByteArray before = checksum(archivePath());
    QCOMPARE(archive.restoreFrom(text.fileName()), WriteOutcome::Refused);
    QCOMPARE(checksum(archivePath()), before);
}

// Another Nutrivo holds the file while a copy waits to read it: the copy's
// partial file is already there, the user's alone, and so is the copy, under
// the usual umask.
void TestArchive::copyPrivateFromTheStart()
{
    Archive archive(archivePath());
    archive.keep(0, "Rossi Mario", developedAssessment());
    const QString copyPath = m_folder->filePath("copia.sqlite");
    const QString part = m_folder->filePath(".copia.sqlite.part");
    HoldingSession other(
        [&](const QString &name) {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
            db.setDatabaseName(archivePath());
            return db;
        },
        {"BEGIN EXCLUSIVE"}, part);
    QVERIFY(other.held());
    const mode_t mask = ::umask(022);
    const WriteOutcome outcome = archive.saveCopy(copyPath);
    ::umask(mask);
    const QSet<uint> modes = other.finish();
    QCOMPARE(outcome, WriteOutcome::Done);
    QCOMPARE(modes, QSet<uint>{0600});
    QCOMPARE(QFile::permissions(copyPath) & 0x0777, QFile::ReadUser | QFile::WriteUser);
}

namespace {

// An assessment as kept, every input, time and figure to the last bit.
QString rowOf(const QString &name, const KeptAssessment &kept)
{
    const assessment::ShownFigures &f = kept.figures;
    return QStringList{name,
                       captionOf(kept.sex),
                       kept.takenAt.toUTC().toString(Qt::ISODate),
                       kept.heightText,
                       kept.weightText,
                       kept.ageText,
                       QString::number(f.idealWeightKg.value_or(-1), 'g', 17),
                       QString::number(f.bodyMassIndex, 'g', 17),
                       QString::fromStdString(f.weightClass),
                       QString::number(f.dailyEnergyKcal, 'g', 17),
                       QString::number(f.bmiZ.value_or(99), 'g', 17),
                       QString::number(f.bmiCentile.value_or(-1), 'g', 17)}
        .join('|');
}

} // namespace

void TestArchive::archiveFromEitherRelease_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("written on Debian 12") << "archivio-debian12.sqlite";
    QTest::newRow("written on Debian 13") << "archivio-debian13.sqlite";
}

// The same archive serves both releases: a file the program wrote on each is
// read here as it was kept, and takes a save.
void TestArchive::archiveFromEitherRelease()
{
    QFETCH(QString, file);
    QDir().mkpath(QFileInfo(archivePath()).path());
    QVERIFY(QFile::copy(QStringLiteral(NUTRIVO_TEST_DATA "/") + file, archivePath()));
    QFile::setPermissions(archivePath(), QFile::ReadOwner | QFile::WriteOwner);
    Archive archive(archivePath());
    QCOMPARE(archive.open(), ArchiveState::Ready);
    const auto rows = [&] {
        QStringList rows;
        for (const KeptSubject &subject : archive.subjects()) {
            for (const KeptAssessment &kept : archive.assessmentsOf(subject.id))
                rows << rowOf(subject.name, kept);
        }
        rows.sort();
        return rows;
    };
    QStringList expected;
    for (const SampleVisit &visit : sampleVisits())
        expected << rowOf(visit.name, keptSample(visit));
    expected.sort();
    QCOMPARE(rows(), expected);

    KeptSubject rossi;
    for (const KeptSubject &subject : archive.subjects()) {
        if (subject.name == "Rossi Mario")
            rossi = subject;
    }
    QCOMPARE(archive.keep(rossi.id, "", developedAssessment()).outcome, WriteOutcome::Done);
    QCOMPARE(archive.assessmentsOf(rossi.id).size(), 3);
    QCOMPARE(rows().size(), expected.size() + 1);
}

// A read-only place: as root, where permissions do not hold, a read-only mount.
void TestArchive::readOnlyFolder()
{
    const QString folder = QFileInfo(archivePath()).path();
    QDir().mkpath(folder);
    if (isRoot()) {
        QCOMPARE(QProcess::execute("mount", {"-t", "tmpfs", "-o", "ro,size=1m", "tmpfs", folder}),
                 0);
    } else {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    Archive archive(archivePath());
    QCOMPARE(archive.keep(0, "Rossi Mario", developedAssessment()).outcome,
             WriteOutcome::Unwritable);
    QVERIFY(!QFileInfo::exists(archivePath()));
    if (isRoot())
        QProcess::execute("umount", {folder});
    else
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
}

void TestArchive::fullDisk()
{
    if (!isRoot())
        QSKIP("a small filesystem of its own needs root");
    const QString folder = QFileInfo(archivePath()).path();
    QDir().mkpath(folder);
    QCOMPARE(QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=96k", "tmpfs", folder}), 0);
    int confirmed = 0;
    WriteOutcome outcome = WriteOutcome::Done;
    {
        Archive archive(archivePath());
        for (int i = 0; i < 2000 && outcome == WriteOutcome::Done; ++i) {
            outcome = archive.keep(0, QStringLiteral("Soggetto %1").arg(i), developedAssessment())
                          .outcome;
            confirmed += outcome == WriteOutcome::Done;
        }
    }
    const QVariant kept = peek(archivePath(), "SELECT COUNT(*) FROM assessments");
    const QString check = peek(archivePath(), "PRAGMA integrity_check").toString();
    QProcess::execute("umount", {folder});
    QCOMPARE(outcome, WriteOutcome::DiskFull);
    QVERIFY(confirmed > 10);
    QCOMPARE(kept.toInt(), confirmed);
    QCOMPARE(check, QString("ok"));
}

QTEST_GUILESS_MAIN(TestArchive)
#include "tst_archive.moc"
