#pragma once

// The archive tests' common ground: a temporary folder, a developed
// assessment to keep, and a look at the file without the archive's code.

#include "archive/archive.h"
#include "locales.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimeZone>
#include <unistd.h>

inline KeptAssessment developedAssessment(const char *height = "1.70", const char *weight = "70",
                                          const char *age = "30")
{
    using namespace assessment;
    const SubjectData subject{
        "Rossi Mario",        height, weight, age, Sex::Maschile, ActivityLevel::Leggera,
        Constitution::Normale};
    return keptFrom(subject, develop(subject, italian()),
                    QDateTime(QDate(2026, 12, 8), QTime(11, 15, 30)));
}

// The sample archive kept as test data, made by "archive_writer FILE --sample"
// on each release and read on the other: adults, a boy, an infant, accents.
struct SampleVisit
{
    const char *name;
    assessment::Sex sex;
    const char *height, *weight, *age;
    QDateTime takenAt;
};

inline QList<SampleVisit> sampleVisits()
{
    using assessment::Sex;
    const auto at = [](int month, int day, int hour) {
        return QDateTime(QDate(2026, month, day), QTime(hour, 30), QTimeZone::utc());
    };
    return {{"Rossi Mario", Sex::Maschile, "1.70", "70", "30", at(3, 1, 9)},
            {"Rossi Mario", Sex::Maschile, "1.70", "72,5", "31", at(9, 1, 9)},
            {"Bruni Marco", Sex::Maschile, "1.40", "38", "10", at(5, 10, 15)},
            {"Neri Ada", Sex::Femminile, ".75", "9", "1", at(6, 1, 8)},
            {"D'Amico Totò", Sex::Femminile, "1.60", "50", "15", at(12, 31, 23)}};
}

inline KeptAssessment keptSample(const SampleVisit &visit)
{
    using namespace assessment;
    const SubjectData subject{visit.name,
                              visit.height,
                              visit.weight,
                              visit.age,
                              visit.sex,
                              ActivityLevel::Moderata,
                              Constitution::Normale};
    return keptFrom(subject, develop(subject, italian()), visit.takenAt);
}

// The subject as the archive lists it now, with the version a change needs.
inline KeptSubject seenSubject(Archive &archive, qint64 id)
{
    for (const KeptSubject &subject : archive.subjects()) {
        if (subject.id == id)
            return subject;
    }
    KeptSubject absent;
    absent.id = id;
    return absent;
}

inline QByteArray checksum(const QString &filePath)
{
    QFile file(filePath);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// One value read straight from the file, read-only.
inline QVariant peek(const QString &filePath, const QString &statement)
{
    const QString name = QStringLiteral("peek");
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(filePath);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(statement) && query.next())
                value = query.value(0);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

inline bool isRoot()
{
    return ::geteuid() == 0;
}
