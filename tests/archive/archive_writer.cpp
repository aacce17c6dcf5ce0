// Saves assessments into an archive one after another and prints the id of
// each save the archive confirmed: the other side of the kill and
// concurrency tests. Usage: archive_writer FILE COUNT
#include "archive_fixture.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    Archive archive(QString::fromLocal8Bit(argv[1]));
    archive.open();
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
