// The other side of the kill and concurrency tests.
//   archive_writer FILE COUNT: saves COUNT assessments one after another and
//     prints the id of each save the archive confirmed.
//   archive_writer FILE-OR-URI NAME START: at START (ms since the epoch), saves
//     one assessment for a subject NAME as the save window would: joined to a
//     namesake it finds, or a new subject; prints "created", "joined" and, when
//     another workstation's namesake came first, "asked again".
//   archive_writer FILE-OR-URI --stream SECONDS: saves for one subject for that
//     long, through any fault, printing "saved ID" for each confirmed save and
//     "not saved" for each refused one.
#include "archive_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>

namespace {

int saveAsTheWindowWould(Archive &archive, const QString &name)
{
    const KeptAssessment kept = developedAssessment();
    for (int attempt = 0; attempt < 10; ++attempt) {
        QList<qint64> namesakes;
        for (const KeptSubject &subject : archive.subjects()) {
            if (sameName(subject.name, name) && subject.sex == kept.sex)
                namesakes << subject.id;
        }
        // The user says "Stessa persona" to any namesake shown.
        const Archive::Kept done =
            archive.keep(namesakes.value(0), name, kept,
                         namesakes.isEmpty() ? std::optional(namesakes) : std::nullopt);
        if (done.outcome == WriteOutcome::Namesake) {
            std::printf("asked again\n");
            continue;
        }
        if (done.outcome != WriteOutcome::Done)
            return 1;
        std::printf(namesakes.isEmpty() ? "created\n" : "joined\n");
        return 0;
    }
    return 1;
}

int stream(Archive &archive, int seconds)
{
    QElapsedTimer clock;
    clock.start();
    qint64 subject = 0;
    while (clock.elapsed() < seconds * 1000) {
        const Archive::Kept kept =
            archive.keep(subject, QStringLiteral("Flusso di salvataggi"), developedAssessment());
        if (kept.outcome == WriteOutcome::Done) {
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3 && argc != 4)
        return 2;
    const QString target = QString::fromLocal8Bit(argv[1]);
    const auto server = serverAddressFromUri(target);
    Archive archive(target);
    if (server)
        archive.useServer(*server);
    archive.open();
    if (argc == 4 && QByteArray(argv[2]) == "--stream")
        return stream(archive, QByteArray(argv[3]).toInt());
    if (argc == 4) {
        const qint64 start = QByteArray(argv[3]).toLongLong();
        QThread::msleep(std::max<qint64>(0, start - QDateTime::currentMSecsSinceEpoch()));
        return saveAsTheWindowWould(archive, QString::fromLocal8Bit(argv[2]));
    }
    const int count = QByteArray(argv[2]).toInt();
    for (int i = 0; i < count; ++i) {
        const auto kept =
            archive.keep(0, QStringLiteral("Soggetto %1").arg(i), developedAssessment());
        if (kept.outcome != WriteOutcome::Done)
            return 1;
        std::printf("%lld\n", static_cast<long long>(kept.assessmentId));
        std::fflush(stdout);
    }
    return 0;
}
