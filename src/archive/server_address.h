#pragma once

// Where a practice's archive lives on a PostgreSQL server, and how Nutrivo
// connects to it: libpq's own options, TLS with the server's certificate
// checked for any host but this machine.

#include <QString>
#include <optional>

struct ServerAddress
{
    QString host; // a name, an address, or a local socket folder (from "/"); empty: libpq's default
    int port = 5432;
    QString database;
    QString user;
    QString caCertificate; // the CA's certificate file, for verify-full
};

// How long a server may take to answer, in seconds: to open a session, and
// to each statement once it is open (see server_watchdog.h).
constexpr int serverWaitSeconds = 10;

// "postgresql://user@host:port/database?sslrootcert=/path" (or "postgres://");
// none for anything else.
std::optional<ServerAddress> serverAddressFromUri(const QString &uri);

// This machine: a local socket, or the loopback.
bool isLocal(const ServerAddress &address);

// What stops a connection before it is tried: a remote host without a CA
// certificate. Empty when it may be tried.
QString connectionRefusal(const ServerAddress &address);

// The options libpq takes, as Qt's PostgreSQL driver passes them on.
QString connectOptions(const ServerAddress &address);

// The address again as a postgresql:// URI, without any password.
QString uriOf(const ServerAddress &address);

// "archivio on host:5432, database nutrivo", for the windows' status lines.
QString describe(const ServerAddress &address);
