#include "schema.h"

namespace schema {

const QString &firstAssessmentColumns()
{
    static const QString columns =
        QStringLiteral(" taken_at VARCHAR(20) NOT NULL,"
                       " height_text VARCHAR(10) NOT NULL,"
                       " weight_text VARCHAR(10) NOT NULL,"
                       " age_text VARCHAR(10) NOT NULL,"
                       " activity VARCHAR(10) NOT NULL,"
                       " build VARCHAR(10) NOT NULL,"
                       " ideal_weight_kg DOUBLE PRECISION NOT NULL,"
                       " body_mass_index DOUBLE PRECISION NOT NULL,"
                       " weight_class VARCHAR(20) NOT NULL,"
                       " basal_metabolism_kcal DOUBLE PRECISION NOT NULL,"
                       " activity_factor DOUBLE PRECISION,"
                       " daily_energy_kcal DOUBLE PRECISION NOT NULL,"
                       " proteins_kcal DOUBLE PRECISION NOT NULL,"
                       " proteins_g DOUBLE PRECISION NOT NULL,"
                       " fats_kcal DOUBLE PRECISION NOT NULL,"
                       " fats_g DOUBLE PRECISION NOT NULL,"
                       " carbohydrates_kcal DOUBLE PRECISION NOT NULL,"
                       " carbohydrates_g DOUBLE PRECISION NOT NULL,"
                       " hips_cm DOUBLE PRECISION NOT NULL,"
                       " waist_cm DOUBLE PRECISION NOT NULL,"
                       " thighs_cm DOUBLE PRECISION NOT NULL,"
                       " program_version VARCHAR(20) NOT NULL)");
    return columns;
}

namespace {

// A growing subject's place on the growth reference; an infant has no ideal weight.
const QStringList growthColumns = {QStringLiteral("bmi_z DOUBLE PRECISION"),
                                   QStringLiteral("bmi_centile DOUBLE PRECISION")};

} // namespace

const QString &assessmentColumns()
{
    static const QString columns = [] {
        QString columns = firstAssessmentColumns();
        columns.replace(QStringLiteral("ideal_weight_kg DOUBLE PRECISION NOT NULL"),
                        QStringLiteral("ideal_weight_kg DOUBLE PRECISION"));
        columns.chop(1);
        return columns + ", " + growthColumns.join(", ") + ')';
    }();
    return columns;
}

QStringList growthColumnSteps()
{
    QStringList steps = {
        QStringLiteral("ALTER TABLE assessments ALTER COLUMN ideal_weight_kg DROP NOT NULL")};
    for (const QString &column : growthColumns)
        steps << QStringLiteral("ALTER TABLE assessments ADD COLUMN ") + column;
    return steps;
}

namespace {

QStringList namesOf(const QString &columns)
{
    QStringList names;
    for (const QString &column : columns.split(','))
        names << column.trimmed().section(' ', 0, 0);
    return names;
}

} // namespace

const QString &savedByColumn()
{
    static const QString column = QStringLiteral("saved_by VARCHAR(100)");
    return column;
}

const QStringList &assessmentColumnNames()
{
    static const QStringList names = namesOf(assessmentColumns()) << namesOf(savedByColumn());
    return names;
}

const QStringList &accessLogColumnNames()
{
    static const QStringList names = {QStringLiteral("at"), QStringLiteral("role"),
                                      QStringLiteral("workstation"), QStringLiteral("action"),
                                      QStringLiteral("subject_id")};
    return names;
}

const QString &subjectVersionColumn()
{
    static const QString statement =
        QStringLiteral("ALTER TABLE subjects ADD COLUMN version INTEGER NOT NULL DEFAULT 1");
    return statement;
}

// Plain types and statements, so that a server database can take the same tables.
const QList<QStringList> &steps()
{
    static const QList<QStringList> all = {
        // 1: subjects and their assessments, each with its inputs as typed and
        // its figures as shown.
        {
            QStringLiteral("CREATE TABLE subjects ("
                           " id INTEGER PRIMARY KEY,"
                           " name VARCHAR(100) NOT NULL,"
                           " sex VARCHAR(10) NOT NULL)"),
            QStringLiteral("CREATE TABLE assessments ("
                           " id INTEGER PRIMARY KEY,"
                           " subject_id INTEGER NOT NULL"
                           "  REFERENCES subjects (id) ON DELETE CASCADE,") +
                firstAssessmentColumns(),
        },
        // 2: a subject's assessments found and ordered by date without a scan.
        {
            QStringLiteral("CREATE INDEX assessments_by_subject"
                           " ON assessments (subject_id, taken_at)"),
        },
        // 3: a subject's version, raised by every change to them or to their
        // assessments, so that a change made on what another Nutrivo has
        // changed since is refused.
        {
            subjectVersionColumn(),
        },
        // 4: a growing subject's z-score and centile, and no ideal weight for an
        // infant. A file's column loses NOT NULL only with a new table.
        {
            QStringLiteral("CREATE TABLE assessments_4 ("
                           " id INTEGER PRIMARY KEY,"
                           " subject_id INTEGER NOT NULL"
                           "  REFERENCES subjects (id) ON DELETE CASCADE,") +
                assessmentColumns(),
            QStringLiteral("INSERT INTO assessments_4 (id, subject_id, %1)"
                           " SELECT id, subject_id, %1 FROM assessments")
                .arg(namesOf(firstAssessmentColumns()).join(", ")),
            QStringLiteral("DROP TABLE assessments"),
            QStringLiteral("ALTER TABLE assessments_4 RENAME TO assessments"),
            QStringLiteral("CREATE INDEX assessments_by_subject"
                           " ON assessments (subject_id, taken_at)"),
        },
        // 5: who saved each assessment, and the log of every reading and
        // change of a subject's data, which no statement changes once written.
        {
            QStringLiteral("ALTER TABLE assessments ADD COLUMN ") + savedByColumn(),
            QStringLiteral("CREATE TABLE access_log ("
                           " id INTEGER PRIMARY KEY,"
                           " at VARCHAR(20) NOT NULL,"
                           " role VARCHAR(100) NOT NULL,"
                           " workstation VARCHAR(255) NOT NULL,"
                           " action VARCHAR(40) NOT NULL,"
                           " subject_id INTEGER NOT NULL)"),
            QStringLiteral("CREATE INDEX access_log_by_subject ON access_log (subject_id, id)"),
            QStringLiteral("CREATE TRIGGER access_log_never_changed BEFORE UPDATE ON access_log"
                           " BEGIN SELECT RAISE(ABORT, 'the access log is only added to'); END"),
            QStringLiteral("CREATE TRIGGER access_log_never_deleted BEFORE DELETE ON access_log"
                           " BEGIN SELECT RAISE(ABORT, 'the access log is only added to'); END"),
        },
    };
    return all;
}

} // namespace schema
