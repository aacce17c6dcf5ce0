#pragma once

// Where a practice's archive lives on a PostgreSQL server, and how Nutrivo
// connects to it: libpq's own options, TLS with the server's certificate
// checked for any host but this machine.

#include <QList>
#include <QString>
#include <optional>
#include <utility>

struct ServerAddress
{
    QString host; // a name, an address, or a local socket folder (from "/"); empty: libpq's default
    int port = 5432; // -1: the service's own
    QString database;
    QString user;
    QString caCertificate; // the CA's certificate file, for verify-full
    // libpq's other options given with the address, passed on as given.
    QList<std::pair<QString, QString>> options = {};
};

// How long a server may take to answer, in seconds: to open a session, and
// to each statement once it is open (see server_watchdog.h).
constexpr int serverWaitSeconds = 10;

// Any address libpq reads, by libpq's own rules: a postgresql:// URI with any
// of its parameters and percent-encoded hosts, or "host=... dbname=...";
// none for anything else, or without a database. A password in it goes to
// password, never into the address.
std::optional<ServerAddress> serverAddressFromUri(const QString &uri, QString *password = nullptr);

// This machine: a local socket, or the loopback; never a service, whose
// host is in a file Nutrivo does not read.
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
