// The archive's reads and writes of subjects and assessments. Every write is
// one transaction that begins by writing, so that two Nutrivo saving at once
// wait for each other instead of failing.

#include "archive.h"
#include "archive_store.h"
#include "sql_support.h"

#include <array>

using namespace assessment;

namespace {

// The enumerations as the file spells them, in their order.
const std::array<QString, 2> sexNames = {QStringLiteral("Maschile"), QStringLiteral("Femminile")};
const std::array<QString, 3> activityNames = {QStringLiteral("Leggera"), QStringLiteral("Moderata"),
                                              QStringLiteral("Pesante")};
const std::array<QString, 3> buildNames = {QStringLiteral("Magra"), QStringLiteral("Normale"),
                                           QStringLiteral("Grassa")};

template <typename Enum, std::size_t size>
Enum fromName(const std::array<QString, size> &names, const QString &name)
{
    for (std::size_t i = 0; i < size; ++i) {
        if (names[i] == name)
            return static_cast<Enum>(i);
    }
    return static_cast<Enum>(0);
}

template <typename Enum, std::size_t size>
QString nameOf(const std::array<QString, size> &names, Enum value)
{
    return names.at(static_cast<std::size_t>(value));
}

// Times are kept in UTC, so that they sort as text.
QString storedTime(const QDateTime &time)
{
    return time.toUTC().toString(Qt::ISODate);
}

QDateTime readTime(const QVariant &value)
{
    QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODate);
    return time.isValid() ? time.toLocalTime() : time;
}

// The figure columns, in the order of figureValues().
const QString figureColumns = QStringLiteral(
    "ideal_weight_kg, body_mass_index, weight_class, basal_metabolism_kcal, activity_factor,"
    " daily_energy_kcal, proteins_kcal, proteins_g, fats_kcal, fats_g, carbohydrates_kcal,"
    " carbohydrates_g, hips_cm, waist_cm, thighs_cm, bmi_z, bmi_centile");

QVariant optionalValue(const std::optional<double> &value)
{
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<double>());
}

QVariantList figureValues(const ShownFigures &f)
{
    return {optionalValue(f.idealWeightKg),
            f.bodyMassIndex,
            QString::fromStdString(f.weightClass),
            f.basalMetabolismKcal,
            optionalValue(f.activityFactor),
            f.dailyEnergyKcal,
            f.proteinsKcal,
            f.proteinsGrams,
            f.fatsKcal,
            f.fatsGrams,
            f.carbohydratesKcal,
            f.carbohydratesGrams,
            f.hipsCm,
            f.waistCm,
            f.thighsCm,
            optionalValue(f.bmiZ),
            optionalValue(f.bmiCentile)};
}

ShownFigures readFigures(const QSqlQuery &query, int first)
{
    const auto number = [&](int column) { return query.value(first + column).toDouble(); };
    const auto optional = [&](int column) {
        return query.isNull(first + column) ? std::nullopt : std::optional(number(column));
    };
    ShownFigures f;
    f.idealWeightKg = optional(0);
    f.bodyMassIndex = number(1);
    f.weightClass = query.value(first + 2).toString().toStdString();
    f.basalMetabolismKcal = number(3);
    f.activityFactor = optional(4);
    f.dailyEnergyKcal = number(5);
    f.proteinsKcal = number(6);
    f.proteinsGrams = number(7);
    f.fatsKcal = number(8);
    f.fatsGrams = number(9);
    f.carbohydratesKcal = number(10);
    f.carbohydratesGrams = number(11);
    f.hipsCm = number(12);
    f.waistCm = number(13);
    f.thighsCm = number(14);
    f.bmiZ = optional(15);
    f.bmiCentile = optional(16);
    return f;
}

} // namespace

bool Archive::runOnce(QSqlQuery &query, const QString &statement, const QVariantList &values)
{
    for (int attempt = 0;; ++attempt) {
        query = QSqlQuery(database());
        query.setForwardOnly(true);
        bool done = false;
        if (!m_store->watched([&] { done = sql::run(query, statement, values); }, &query))
            return false;
        if (done)
            return true;
        // Any other failure keeps its error, for its outcome.
        if (attempt > 0 || !m_store->sessionLost(query.lastError()))
            return false;
        // The statement goes before the session it was prepared on.
        query = QSqlQuery();
        if (!m_store->reopen())
            return false;
    }
}

Archive::Reading<KeptSubject> Archive::subjects()
{
    Reading<KeptSubject> subjects;
    if (state() != ArchiveState::Ready && state() != ArchiveState::ReadOnlyNewer) {
        subjects.failed = state() == ArchiveState::Unreachable;
        return subjects;
    }
    QSqlQuery query;
    const QString statement =
        QStringLiteral("SELECT s.id, s.name, s.sex, MAX(a.taken_at), COUNT(a.id),"
                       " MIN(a.taken_at), (SELECT l.weight_text FROM assessments l"
                       "  WHERE l.subject_id = s.id ORDER BY l.taken_at DESC, l.id DESC"
                       "  LIMIT 1), s.version"
                       " FROM subjects s LEFT JOIN assessments a ON a.subject_id = s.id"
                       " GROUP BY s.id, s.name, s.sex, s.version");
    subjects.failed = !runOnce(query, statement, {});
    // A server sends the rows as they are read.
    const bool answered = m_store->watched(
        [&] {
            while (query.next()) {
                subjects.append({query.value(0).toLongLong(), query.value(1).toString(),
                                 fromName<Sex>(sexNames, query.value(2).toString()),
                                 readTime(query.value(3)), query.value(4).toInt(),
                                 readTime(query.value(5)), query.value(6).toString(),
                                 query.value(7).toLongLong()});
            }
        },
        &query);
    if (!answered || query.lastError().isValid()) {
        subjects.clear();
        subjects.failed = true;
    }
    return subjects;
}

Archive::Reading<KeptAssessment> Archive::assessmentsOf(qint64 subjectId,
                                                        std::optional<Access> loggedAs)
{
    Reading<KeptAssessment> assessments;
    if (state() != ArchiveState::Ready && state() != ArchiveState::ReadOnlyNewer) {
        assessments.failed = state() == ArchiveState::Unreachable;
        return assessments;
    }
    QSqlQuery query;
    const QString statement =
        QStringLiteral("SELECT a.id, a.taken_at, a.height_text, a.weight_text, a.age_text,"
                       " s.sex, a.activity, a.build, a.program_version, a.saved_by, %1"
                       " FROM assessments a JOIN subjects s ON s.id = a.subject_id"
                       " WHERE a.subject_id = ? ORDER BY a.taken_at DESC, a.id DESC")
            .arg(figureColumns);
    assessments.failed = !runOnce(query, statement, {subjectId});
    const bool answered = m_store->watched(
        [&] {
            while (query.next()) {
                KeptAssessment kept;
                kept.id = query.value(0).toLongLong();
                kept.takenAt = readTime(query.value(1));
                kept.heightText = query.value(2).toString();
                kept.weightText = query.value(3).toString();
                kept.ageText = query.value(4).toString();
                kept.sex = fromName<Sex>(sexNames, query.value(5).toString());
                kept.activity = fromName<ActivityLevel>(activityNames, query.value(6).toString());
                kept.build = fromName<Constitution>(buildNames, query.value(7).toString());
                kept.programVersion = query.value(8).toString();
                kept.savedBy = query.value(9).toString();
                kept.figures = readFigures(query, 10);
                placeOnGrowthReference(kept);
                assessments.append(kept);
            }
        },
        &query);
    if (!answered || query.lastError().isValid()) {
        assessments.clear();
        assessments.failed = true;
    }
    if (!assessments.failed && loggedAs) {
        // Never shown unlogged.
        const WriteOutcome logged = logAccess(*loggedAs, {subjectId});
        if (logged != WriteOutcome::Done) {
            assessments.clear();
            assessments.failed = true;
            assessments.unlogged = logged == WriteOutcome::Unlogged;
        }
    }
    return assessments;
}

bool Archive::holdsAssessment(qint64 assessmentId)
{
    if (state() != ArchiveState::Ready && state() != ArchiveState::ReadOnlyNewer)
        return false;
    QSqlQuery query;
    if (!runOnce(query, QStringLiteral("SELECT 1 FROM assessments WHERE id = ?"), {assessmentId}))
        return false;
    bool held = false;
    return m_store->watched([&] { held = query.next(); }, &query) && held;
}

// A save that failed before its commit was never kept and is tried once more
// on a new session; one whose commit got no answer may or may not be there,
// and is reported as unconfirmed.
Archive::Kept Archive::keep(qint64 subjectId, const QString &name, const KeptAssessment &kept,
                            const std::optional<QList<qint64>> &namesakesAsked)
{
    // A file is made by the first save; a server away when the archive was
    // opened may be back.
    if (!m_store->readyToSave())
        return {m_store->unreachableOutcome()};
    bool committing = false;
    const auto keepWatched = [&] {
        Kept done;
        m_store->watched(
            [&] { done = keepOnce(subjectId, name, kept, namesakesAsked, committing); });
        if (committing && done.outcome == WriteOutcome::Offline)
            return Kept{WriteOutcome::Unconfirmed};
        return done;
    };
    const Kept first = keepWatched();
    if (first.outcome != WriteOutcome::Offline || state() == ArchiveState::Unreachable ||
        !m_store->reopen())
        return first;
    return keepWatched();
}

bool Archive::unaskedNamesake(QSqlQuery &query, qint64 newId, const QString &name,
                              const KeptAssessment &assessment, const QList<qint64> &asked,
                              bool &found)
{
    // Workstations making a subject take turns here, so that the second sees
    // the first's.
    if (!m_store->takeTurnForNewSubject(query))
        return false;
    query.finish();
    if (!sql::run(query, QStringLiteral("SELECT id, name FROM subjects WHERE sex = ? AND id <> ?"),
                  {nameOf(sexNames, assessment.sex), newId}))
        return false;
    found = false;
    while (query.next()) {
        if (sameName(query.value(1).toString(), name) &&
            !asked.contains(query.value(0).toLongLong()))
            found = true;
    }
    query.finish();
    return true;
}

Archive::Kept Archive::keepOnce(qint64 subjectId, const QString &name, const KeptAssessment &kept,
                                const std::optional<QList<qint64>> &namesakesAsked,
                                bool &committing)
{
    if (state() == ArchiveState::Unreachable)
        return {m_store->unreachableOutcome()};
    if (state() != ArchiveState::Ready)
        return {WriteOutcome::Refused};

    QSqlDatabase db = database();
    const auto fail = [this, &db](const QSqlError &error) {
        db.rollback();
        return Kept{outcomeOf(error)};
    };
    if (!db.transaction())
        return Kept{outcomeOf(db.lastError())};
    QSqlQuery query(db);
    if (subjectId != 0) {
        // The subject changes with every assessment; one deleted meanwhile takes none.
        if (!sql::run(query,
                      QStringLiteral("UPDATE subjects SET version = version + 1 WHERE id = ?"),
                      {subjectId}))
            return fail(query.lastError());
        if (query.numRowsAffected() == 0) {
            db.rollback();
            return {WriteOutcome::Stale};
        }
    } else {
        // RETURNING, since a server's last insert id is the session's, not the row's.
        if (!sql::run(query,
                      QStringLiteral("INSERT INTO subjects (name, sex) VALUES (?, ?) RETURNING id"),
                      {name.simplified(), nameOf(sexNames, kept.sex)}) ||
            !query.next())
            return fail(query.lastError());
        subjectId = query.value(0).toLongLong();
        query.finish();
        bool unasked = false;
        if (namesakesAsked &&
            !unaskedNamesake(query, subjectId, name, kept, *namesakesAsked, unasked))
            return fail(query.lastError());
        if (unasked) {
            db.rollback();
            return {WriteOutcome::Namesake};
        }
    }
    const QVariantList values = QVariantList{subjectId,
                                             storedTime(kept.takenAt),
                                             kept.heightText,
                                             kept.weightText,
                                             kept.ageText,
                                             nameOf(activityNames, kept.activity),
                                             nameOf(buildNames, kept.build),
                                             kept.programVersion} +
                                figureValues(kept.figures) + QVariantList{m_store->who()};
    const QStringList marks(values.size(), QStringLiteral("?"));
    if (!sql::run(query,
                  QStringLiteral("INSERT INTO assessments (subject_id, taken_at, height_text,"
                                 " weight_text, age_text, activity, build, program_version, %1,"
                                 " saved_by)"
                                 " VALUES (%2) RETURNING id")
                      .arg(figureColumns, marks.join(',')),
                  values) ||
        !query.next())
        return fail(query.lastError());
    const qint64 assessmentId = query.value(0).toLongLong();
    query.finish();
    if (!m_store->log(query, Access::Saved, {subjectId})) {
        const WriteOutcome outcome = m_store->logOutcomeOf(query.lastError());
        db.rollback();
        return {outcome};
    }
    if (!m_store->announce(query, QStringLiteral("subject"), subjectId))
        return fail(query.lastError());
    query.finish();
    committing = true;
    if (!db.commit())
        return fail(db.lastError());
    return {WriteOutcome::Done, subjectId, assessmentId};
}

WriteOutcome Archive::write(const QString &statement, const QVariantList &values, qint64 subjectId,
                            Access access)
{
    return change([&](QSqlQuery &query) {
        if (!sql::run(query, statement, values))
            return outcomeOf(query.lastError());
        if (query.numRowsAffected() == 0)
            return WriteOutcome::Stale;
        query.finish();
        if (!m_store->log(query, access, {subjectId}))
            return m_store->logOutcomeOf(query.lastError());
        return m_store->announce(query, QStringLiteral("subject"), subjectId)
                   ? WriteOutcome::Done
                   : outcomeOf(query.lastError());
    });
}

WriteOutcome Archive::rename(const KeptSubject &seen, const QString &name)
{
    // Only another rename or the subject's deletion stands in its way: a
    // colleague's new visit changes nothing the user renamed. The version
    // still rises, so that a delete of the subject as seen before is refused.
    // A rename refused leaves no row in the log: nothing was read or changed.
    return write(QStringLiteral("UPDATE subjects SET name = ?, version = version + 1"
                                " WHERE id = ? AND name = ?"),
                 {name.simplified(), seen.id, seen.name}, seen.id, Access::Renamed);
}

WriteOutcome Archive::removeAssessment(qint64 assessmentId)
{
    return change([&](QSqlQuery &query) {
        // The subject changes with it, so that a delete of the subject as
        // seen before is refused.
        if (!sql::run(query, QStringLiteral("SELECT subject_id FROM assessments WHERE id = ?"),
                      {assessmentId}))
            return outcomeOf(query.lastError());
        if (!query.next())
            return WriteOutcome::Stale;
        const qint64 subjectId = query.value(0).toLongLong();
        query.finish();
        if (!sql::run(query,
                      QStringLiteral("UPDATE subjects SET version = version + 1 WHERE id = ?"),
                      {subjectId}) ||
            !sql::run(query, QStringLiteral("DELETE FROM assessments WHERE id = ?"),
                      {assessmentId}))
            return outcomeOf(query.lastError());
        if (query.numRowsAffected() == 0)
            return WriteOutcome::Stale;
        query.finish();
        if (!m_store->log(query, Access::AssessmentRemoved, {subjectId}))
            return m_store->logOutcomeOf(query.lastError());
        return m_store->announce(query, QStringLiteral("assessment"), assessmentId)
                   ? WriteOutcome::Done
                   : outcomeOf(query.lastError());
    });
}

WriteOutcome Archive::removeSubject(const KeptSubject &seen)
{
    // The assessments go with the subject, through the foreign key; the
    // subject's log stays, under the code alone.
    return write(QStringLiteral("DELETE FROM subjects WHERE id = ? AND version = ?"),
                 {seen.id, seen.version}, seen.id, Access::SubjectRemoved);
}
