// A server archive's changes told to the other workstations: every write's
// transaction carries a NOTIFY on one channel, and each workstation listens
// to it from the moment its session opens.

#include "archive.h"
#include "sql_support.h"

#include <QSqlDriver>

namespace {

// Lower case: the server folds unquoted names.
const QString channel = QStringLiteral("nutrivo_changes");

} // namespace

void Archive::listenForChanges() const
{
    QSqlDriver *driver = database().driver();
    if (!driver || !driver->subscribeToNotification(channel))
        return;
    QObject::connect(driver, &QSqlDriver::notification, driver,
                     [this](const QString &name, QSqlDriver::NotificationSource source) {
                         if (name == channel && source == QSqlDriver::OtherSource &&
                             m_changedElsewhere)
                             m_changedElsewhere();
                     });
}

bool Archive::announce(QSqlQuery &query, const QString &what, qint64 id) const
{
    if (!m_server)
        return true;
    return sql::run(query, QStringLiteral("SELECT pg_notify(?, ?)"),
                    {channel, QStringLiteral("%1 %2").arg(what).arg(id)});
}
