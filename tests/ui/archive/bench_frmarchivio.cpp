// What the archive costs: one save, and the window over a large archive (its
// first paint, a keystroke in the search box, its memory), and the file's
// size per assessment. Figures, not limits: printed with qInfo.

#include "archive_fixture.h"
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

private:
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

// 1,000 subjects with ten assessments each, the rows copied in one transaction.
void BenchFrmArchivio::largeArchiveWindow()
{
    const QString path = m_folder.filePath("grande.sqlite");
    {
        Archive archive(path);
        archive.keep(0, "Soggetto 0", developedAssessment());
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fill");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        db.transaction();
        for (int i = 1; i < 1000; ++i)
            QVERIFY(query.exec(
                QStringLiteral("INSERT INTO subjects VALUES (%1, 'Soggetto %1', 'Maschile')")
                    .arg(i + 1)));
        // Every column but the subject's, which no column of subjects shares.
        const QString columns = QStringLiteral(
            "taken_at, height_text, weight_text, age_text, activity, build, ideal_weight_kg,"
            " body_mass_index, weight_class, basal_metabolism_kcal, activity_factor,"
            " daily_energy_kcal, proteins_kcal, proteins_g, fats_kcal, fats_g, carbohydrates_kcal,"
            " carbohydrates_g, hips_cm, waist_cm, thighs_cm, program_version");
        for (int copy = 1; copy < 10; ++copy)
            QVERIFY(query.exec(QStringLiteral("INSERT INTO assessments (subject_id, %1)"
                                              " SELECT 1, %1 FROM assessments WHERE id = 1")
                                   .arg(columns)));
        QVERIFY(query.exec(QStringLiteral("INSERT INTO assessments (subject_id, %1)"
                                          " SELECT s.id, %1 FROM subjects s, assessments a"
                                          " WHERE s.id > 1 AND a.subject_id = 1")
                               .arg(columns)));
        query.finish();
        QVERIFY(db.commit());
        QVERIFY(query.exec("VACUUM"));
        db.close();
    }
    QSqlDatabase::removeDatabase("fill");
    QCOMPARE(peek(path, "SELECT COUNT(*) FROM assessments").toInt(), 10000);
    qInfo("file: %lld bytes, %.0f bytes per assessment", QFileInfo(path).size(),
          QFileInfo(path).size() / 10000.0);

    const long memoryBefore = residentKilobytes();
    Archive archive(path);
    ArchiveKeeper keeper(archive);
    QElapsedTimer clock;
    clock.start();
    frmArchivio window(archive, keeper);
    window.show();
    window.repaint();
    qInfo("first paint: %lld ms", clock.elapsed());
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
    qInfo("filter: median %.2f ms, slowest %.2f ms per keystroke",
          keystrokes.at(keystrokes.size() / 2) / 1000.0, keystrokes.last() / 1000.0);
    qInfo("memory added by the window: %ld kB", residentKilobytes() - memoryBefore);
}

QTEST_MAIN(BenchFrmArchivio)
#include "bench_frmarchivio.moc"
