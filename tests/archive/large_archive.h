#pragma once

// A large archive for the benchmarks: 1,000 subjects with ten assessments
// each, and a busy practice's year of the access log (50,000 rows) where the
// archive keeps one, written in a few statements rather than 10,000 saves.

#include "archive_fixture.h"
#include "postgres_server.h"

#include <QSqlError>

namespace large_archive {

// Every column of an assessment but its subject's.
inline const QString assessmentColumns = QStringLiteral(
    "taken_at, height_text, weight_text, age_text, activity, build, ideal_weight_kg,"
    " body_mass_index, weight_class, basal_metabolism_kcal, activity_factor,"
    " daily_energy_kcal, proteins_kcal, proteins_g, fats_kcal, fats_g, carbohydrates_kcal,"
    " carbohydrates_g, hips_cm, waist_cm, thighs_cm, program_version");

// The subjects' and assessments' rows, from one developed assessment kept
// first through the archive.
inline bool fill(QSqlDatabase &db)
{
    QSqlQuery query(db);
    const auto run = [&](const QString &statement) {
        if (query.exec(statement))
            return true;
        qWarning("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
        return false;
    };
    bool done = db.transaction();
    for (int i = 1; done && i < 1000; ++i)
        done = run(QStringLiteral("INSERT INTO subjects (name, sex) VALUES ('Soggetto %1', "
                                  "'Maschile')")
                       .arg(i));
    for (int copy = 1; done && copy < 10; ++copy)
        done = run(QStringLiteral("INSERT INTO assessments (subject_id, %1) SELECT subject_id, %1 "
                                  "FROM assessments WHERE id = (SELECT MIN(id) FROM assessments)")
                       .arg(assessmentColumns));
    done = done && run(QStringLiteral("INSERT INTO assessments (subject_id, %1)"
                                      " SELECT s.id, %1 FROM subjects s, assessments a"
                                      " WHERE s.id <> a.subject_id AND a.subject_id ="
                                      " (SELECT MIN(id) FROM subjects)")
                           .arg(assessmentColumns));
    if (db.tables().contains(QStringLiteral("access_log")))
        done = done && run(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL"
                                          " SELECT i + 1 FROM n WHERE i < 50000)"
                                          " INSERT INTO access_log (at, role, workstation, action,"
                                          " subject_id) SELECT '2026-01-01T10:00:00Z', 'dietista',"
                                          " 'studio-' || (i % 8), 'consultazione valutazioni',"
                                          " 1 + i % 1000 FROM n"));
    query.finish();
    return done && db.commit();
}

// Fills a new archive, a file or a prepared server database, through a
// connection of its own.
inline bool fill(const QString &driver, const std::function<void(QSqlDatabase &)> &address)
{
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, QStringLiteral("fill"));
        address(db);
        done = db.open() && fill(db);
        // The file as a copy would leave it, for its size.
        if (done && driver == QLatin1String("QSQLITE"))
            done = QSqlQuery(db).exec(QStringLiteral("VACUUM"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    return done;
}

inline bool fillFile(const QString &path)
{
    {
        Archive archive(path);
        archive.keep(0, QStringLiteral("Soggetto 0"), developedAssessment());
    }
    return fill(QStringLiteral("QSQLITE"), [&](QSqlDatabase &db) { db.setDatabaseName(path); });
}

// A new prepared database on server, filled; its name.
inline QString filledServer(PostgresServer &server)
{
    const QString database = server.preparedDatabase();
    {
        Archive archive(server.address(database));
        archive.open();
        archive.keep(0, QStringLiteral("Soggetto 0"), developedAssessment());
    }
    const bool done = fill(QStringLiteral("QPSQL"), [&](QSqlDatabase &db) {
        db.setHostName(server.socketFolder());
        db.setPort(server.port());
        db.setDatabaseName(database);
        db.setUserName(PostgresServer::superuser());
    });
    return done ? database : QString();
}

} // namespace large_archive
