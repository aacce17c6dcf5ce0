// The other side of the kill and concurrency tests.
//   archive_writer FILE COUNT: saves COUNT assessments one after another and
//     prints the id of each save the archive confirmed.
//   archive_writer FILE-OR-URI NAME START: at START (ms since the epoch), saves
//     one assessment for a subject NAME as the save window would: joined to a
//     namesake it finds, or a new subject; prints "created", "joined" and, when
//     another workstation's namesake came first, "asked again".
//   archive_writer FILE-OR-URI --stream SECONDS: saves for one subject for that
//     long (longer while saves fail, up to a minute), through any fault,
//     printing "saved ID" for each confirmed save and "not saved" for each
//     refused one.
//   archive_writer FILE-OR-URI --random SECONDS SEED: saves, renames and
//     deletes at random (see randomWork).
//   archive_writer FILE-OR-URI --timed COUNT: COUNT saves for a subject of its
//     own, printing how long each took, in microseconds.
//   archive_writer FILE --sample: the sample archive kept as test data.
#include "archive_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <memory>

namespace {

// The user says "Stessa persona" to any namesake shown.
Archive::Kept saveAsTheWindowWould(Archive &archive, const QString &name, bool print)
{
    const KeptAssessment kept = developedAssessment();
    Archive::Kept done;
    for (int attempt = 0; attempt < 10; ++attempt) {
        QList<qint64> namesakes;
        for (const KeptSubject &subject : archive.subjects()) {
            if (sameName(subject.name, name) && subject.sex == kept.sex)
                namesakes << subject.id;
        }
        done = archive.keep(namesakes.value(0), name, kept,
                            namesakes.isEmpty() ? std::optional(namesakes) : std::nullopt);
        // A namesake deleted meanwhile is a question again, too.
        if (done.outcome == WriteOutcome::Namesake || done.outcome == WriteOutcome::Stale) {
            if (print)
                std::printf("asked again\n");
            continue;
        }
        if (print && done.outcome == WriteOutcome::Done)
            std::printf(namesakes.isEmpty() ? "created\n" : "joined\n");
        return done;
    }
    return done;
}

long long microseconds()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// Saves, renames and deletes at random among a few names, saying what was
// done and what was refused: "saved A S BEGUN ENDED", "renamed S NAME",
// "refused rename NAME", "deleted S READ CALLED", "refused delete S", with
// the times (µs) a save began and ended, and a delete's list was read and the
// delete called. Every new name is used once.
int randomWork(Archive &archive, int seconds, quint32 seed)
{
    const QStringList names = {"Rossi Mario", "Bianchi Luca", "Verdi Ugo", "Neri Paolo"};
    QRandomGenerator random(seed);
    QElapsedTimer clock;
    clock.start();
    int renames = 0;
    while (clock.elapsed() < seconds * 1000) {
        const QList<KeptSubject> subjects = archive.subjects();
        const long long read = microseconds();
        const int dice = int(random.bounded(10));
        if (dice < 6 || subjects.isEmpty()) {
            const long long begun = microseconds();
            const Archive::Kept kept =
                saveAsTheWindowWould(archive, names.at(int(random.bounded(4))), false);
            if (kept.outcome != WriteOutcome::Done)
                return 1;
            std::printf("saved %lld %lld %lld %lld\n", static_cast<long long>(kept.assessmentId),
                        static_cast<long long>(kept.subjectId), begun, microseconds());
        } else {
            const KeptSubject &seen = subjects.at(int(random.bounded(subjects.size())));
            QThread::msleep(random.bounded(5)); // another may change it meanwhile
            if (dice < 8) {
                const QString name = QStringLiteral("Rinominato %1-%2").arg(seed).arg(++renames);
                const WriteOutcome outcome = archive.rename(seen, name);
                if (outcome != WriteOutcome::Done && outcome != WriteOutcome::Stale)
                    return 1;
                std::printf("%s %s\n",
                            outcome == WriteOutcome::Done
                                ? qPrintable(QStringLiteral("renamed %1").arg(seen.id))
                                : "refused rename",
                            qPrintable(name));
            } else {
                const long long called = microseconds();
                const WriteOutcome outcome = archive.removeSubject(seen);
                if (outcome != WriteOutcome::Done && outcome != WriteOutcome::Stale)
                    return 1;
                std::printf("%s %lld %lld %lld\n",
                            outcome == WriteOutcome::Done ? "deleted" : "refused delete",
                            static_cast<long long>(seen.id), read, called);
            }
        }
        std::fflush(stdout);
    }
    return 0;
}

int stream(Archive &archive, int seconds)
{
    QElapsedTimer clock;
    clock.start();
    qint64 subject = 0;
    bool failing = false;
    // Past its time while saves fail, up to a minute: a slow restart is waited for.
    while (clock.elapsed() < seconds * 1000 || (failing && clock.elapsed() < 60000)) {
        const Archive::Kept kept =
            archive.keep(subject, QStringLiteral("Flusso di salvataggi"), developedAssessment());
        failing = kept.outcome != WriteOutcome::Done;
        if (!failing) {
            subject = kept.subjectId;
            std::printf("saved %lld\n", static_cast<long long>(kept.assessmentId));
        } else {
            std::printf("not saved\n");
            QThread::msleep(20);
        }
        std::fflush(stdout);
    }
    return 0;
}

int timed(Archive &archive, int count)
{
    const QString name = QStringLiteral("Postazione %1").arg(QCoreApplication::applicationPid());
    qint64 subject = archive.keep(0, name, developedAssessment()).subjectId;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (archive.keep(subject, name, developedAssessment()).outcome != WriteOutcome::Done)
            return 1;
        std::printf("%lld\n", static_cast<long long>(clock.nsecsElapsed() / 1000));
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3 || argc > 5)
        return 2;
    const QString target = QString::fromLocal8Bit(argv[1]);
    const auto server = serverAddressFromUri(target);
    const auto made =
        server ? std::make_unique<Archive>(*server) : std::make_unique<Archive>(target);
    Archive &archive = *made;
    archive.open();
    if (argc == 3 && QByteArray(argv[2]) == "--sample") {
        QHash<QString, qint64> ids;
        for (const SampleVisit &visit : sampleVisits()) {
            const Archive::Kept kept =
                archive.keep(ids.value(visit.name), visit.name, keptSample(visit));
            if (kept.outcome != WriteOutcome::Done)
                return 1;
            ids.insert(visit.name, kept.subjectId);
        }
        return 0;
    }
    if (argc == 4 && QByteArray(argv[2]) == "--stream")
        return stream(archive, QByteArray(argv[3]).toInt());
    if (argc == 4 && QByteArray(argv[2]) == "--timed")
        return timed(archive, QByteArray(argv[3]).toInt());
    if (argc == 5 && QByteArray(argv[2]) == "--random")
        return randomWork(archive, QByteArray(argv[3]).toInt(), QByteArray(argv[4]).toUInt());
    if (argc == 4) {
        const qint64 start = QByteArray(argv[3]).toLongLong();
        QThread::msleep(std::max<qint64>(0, start - QDateTime::currentMSecsSinceEpoch()));
        return saveAsTheWindowWould(archive, QString::fromLocal8Bit(argv[2]), true).outcome ==
                       WriteOutcome::Done
                   ? 0
                   : 1;
    }
    const int count = QByteArray(argv[2]).toInt();
    for (int i = 0; i < count; ++i) {
        const auto kept =
            archive.keep(0, QStringLiteral("Soggetto %1").arg(i), developedAssessment());
        if (kept.outcome != WriteOutcome::Done) {
            std::fprintf(stderr, "save %d: outcome %d\n", i, int(kept.outcome));
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(kept.assessmentId));
        std::fflush(stdout);
    }
    return 0;
}
