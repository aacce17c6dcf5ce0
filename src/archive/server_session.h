#pragma once

// libpq's session under Qt's driver, where the driver says nothing: its
// socket, whether the server ended it, and its notices kept off standard
// error.

#include <QSqlDatabase>

namespace server_session {

// -1 when db is not an open server session.
int socketOf(const QSqlDatabase &db);
// Whether the server ended the session (a restart, a network gone): reading
// it found the socket closed. No round trip.
bool ended(const QSqlDatabase &db);
// The server's notices ("terminating connection...") are read with its
// errors, never printed.
void keepNoticesQuiet(const QSqlDatabase &db);

struct Heard
{
    int fromOthers = 0; // notifications on the channel from other sessions
    bool ended = false; // the reading found the session ended
};
// The notifications on channel that libpq holds, after reading what the
// socket has when fromSocket (which may find the session ended, and then
// closes the socket).
Heard heard(const QSqlDatabase &db, const QString &channel, bool fromSocket);

} // namespace server_session
