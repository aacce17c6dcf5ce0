#include "access_log.h"

#include <QSysInfo>
#include <pwd.h>
#include <unistd.h>

QString actionOf(Access access)
{
    switch (access) {
    case Access::Saved:
        return QStringLiteral("salvataggio valutazione");
    case Access::Viewed:
        return QStringLiteral("consultazione valutazioni");
    case Access::Opened:
        return QStringLiteral("apertura valutazione");
    case Access::CoursePrinted:
        return QStringLiteral("stampa andamento");
    case Access::Exported:
        return QStringLiteral("esportazione CSV");
    case Access::Renamed:
        return QStringLiteral("cambio nome");
    case Access::AssessmentRemoved:
        return QStringLiteral("eliminazione valutazione");
    case Access::SubjectRemoved:
        return QStringLiteral("eliminazione soggetto");
    case Access::TransferredIn:
        return QStringLiteral("trasferimento nello studio");
    case Access::Copied:
        return QStringLiteral("copia dell'archivio");
    }
    return QString();
}

QString thisWorkstation()
{
    const QString name = QSysInfo::machineHostName();
    return name.isEmpty() ? QStringLiteral("sconosciuta") : name;
}

QString systemUser()
{
    // The account itself: $USER may be missing or say anything.
    if (const passwd *account = ::getpwuid(::getuid()))
        return QString::fromLocal8Bit(account->pw_name);
    return QStringLiteral("utente %1").arg(::getuid());
}
